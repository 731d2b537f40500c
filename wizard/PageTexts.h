// How the wizard's pages compose their texts: the step title for the running
// family, what a setting "was set to" when the wizard opened, and the
// recommended value put into a looked-up sentence.
#pragma once

#include <cstdint>
#include <string>

#include "lang/Texts.h"
#include "store/SettingsRecord.h"

namespace velo {

// A page's caption: one text per family.
struct StepTitle {
  TextId nineX;
  TextId nt;
};

std::string StepCaption(const Texts& texts, WindowsFamily family,
                        const StepTitle& title);

// One text a page shows in one of its controls, and how it shows the record.
struct PageText {
  enum Form {
    kPlain,           // the looked-up text as it is
    kRecommendation,  // every "%d" replaced by `field`
    kCurrentValue,    // followed by what `field` was set to, with `unit`
    kCurrentOption,   // followed by the option `field` was set to
    kSwitchState,     // followed by whether `field` was on
  };
  int control;
  TextId text;
  Form form;
  int32_t SettingsRecord::*field;  // a Recommended... or Original... field
  int32_t FoundFlags::*found;      // whether the backup read `field`
  const TextId* unit;              // none for a bare number
};

const TextId kBytes = TextId::Bytes;
const TextId kMilliseconds = TextId::Milliseconds;
const TextId kSeconds = TextId::Seconds;

constexpr PageText Plain(int control, TextId text) {
  return {control, text, PageText::kPlain, nullptr, nullptr, nullptr};
}
constexpr PageText Recommendation(int control, TextId text,
                                  int32_t SettingsRecord::*recommended) {
  return {control, text, PageText::kRecommendation, recommended, nullptr,
          nullptr};
}
constexpr PageText CurrentValue(int control, TextId text,
                                int32_t SettingsRecord::*original,
                                int32_t FoundFlags::*found,
                                const TextId* unit = nullptr) {
  return {control, text, PageText::kCurrentValue, original, found, unit};
}
constexpr PageText CurrentOption(int control, TextId text,
                                 int32_t SettingsRecord::*original,
                                 int32_t FoundFlags::*found) {
  return {control, text, PageText::kCurrentOption, original, found, nullptr};
}
constexpr PageText SwitchState(int control, TextId text,
                               int32_t SettingsRecord::*original,
                               int32_t FoundFlags::*found) {
  return {control, text, PageText::kSwitchState, original, found, nullptr};
}

// What the control of `text` shows for this record.
std::string ComposeText(const Texts& texts, const PageText& text,
                        const SettingsRecord& record, const FoundFlags& found);

// The sentences of what a setting was when the wizard opened, each from the
// language file's pattern for it, or else joined from its words: the
// explanation followed by " was set to 1500 bytes." (the value as an
// unsigned number; no unit word without `unit`), or by " isn't set." when
// the backup found no value.
std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original,
                             const TextId* unit = nullptr);

// The MTU the chosen connection went out with when the wizard opened
// (a ConnectionMtuFound): as the registry held it, Windows' fixed MTU said
// as such, or " isn't set.".
std::string WithConnectionMtu(const Texts& texts,
                              const std::string& explanation, int32_t found,
                              int32_t mtu);

// The same for a level: " was set to option 2.".
std::string WithCurrentOption(const Texts& texts,
                              const std::string& explanation, bool found,
                              int32_t original);

// The explanation of a switch and its state when the wizard opened: "is
// currently enabled." for any value but 0, "is currently disabled." for 0,
// "isn't set." when the backup found no value.
std::string WithSwitchState(const Texts& texts, const std::string& explanation,
                            bool found, int32_t original);

// `pattern` with %1, %2 and %3 replaced by `text`, `value` and `unit` in one
// pass (what they bring in is not looked at again) and "%%" by "%"; any
// other "%" stays.
std::string FillPattern(const std::string& pattern, const std::string& text,
                        const std::string& value = std::string(),
                        const std::string& unit = std::string());

// `text` with every "%d" replaced by the number in decimal; nothing else in
// it is taken as a format.
std::string ReplaceNumber(const std::string& text, int64_t number);

}  // namespace velo
