// How the wizard's pages compose their texts: the step title for the running
// family, what a setting "was set to" when the wizard opened, and the
// recommended value put into a looked-up sentence.
#pragma once

#include <cstdint>
#include <string>

#include "lang/Texts.h"
#include "store/SettingsRecord.h"

namespace velo {

// A page's caption: one key and English text per family.
struct StepTitle {
  const char* key9x;
  const char* default9x;
  const char* keyNT;
  const char* defaultNT;
};

std::string StepCaption(const Texts& texts, WindowsFamily family,
                        const StepTitle& title);

// A unit word of the current-value phrase: its key and English text.
struct UnitWord {
  const char* key;
  const char* englishDefault;
};
const UnitWord kBytes = {"4", "bytes"};
const UnitWord kMilliseconds = {"1", "milliseconds"};
const UnitWord kSeconds = {"7", "seconds"};

// The explanation followed by " was set to 1500 bytes." (the value as an
// unsigned number), or by " isn't set." when the backup found no value.
std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original, const UnitWord& unit);
// The same without a unit: " was set to 4.".
std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original);

// The same for a level: " was set to option 2.".
std::string WithCurrentOption(const Texts& texts,
                              const std::string& explanation, bool found,
                              int32_t original);

// The explanation of a switch, one blank and its state when the wizard
// opened: "is currently enabled." for any value but 0, "is currently
// disabled." for 0, "isn't set." when the backup found no value.
std::string WithSwitchState(const Texts& texts, const std::string& explanation,
                            bool found, int32_t original);

// `text` with every "%d" replaced by the number in decimal; nothing else in
// it is taken as a format.
std::string ReplaceNumber(const std::string& text, int64_t number);

}  // namespace velo
