#include "wizard/PageTexts.h"

namespace velo {

namespace {

const UnitWord kWasSetTo = {"2", "was set to"};
const UnitWord kWasSetToOption = {"8", "was set to option"};

std::string WasSetTo(const Texts& texts, int32_t original,
                     const UnitWord& phrase = kWasSetTo) {
  return " " + texts.Load(phrase.key, phrase.englishDefault) + " " +
         std::to_string(static_cast<uint32_t>(original));
}

std::string IsNotSet(const Texts& texts) {
  return " " + texts.Load("3", "isn't set.");
}

}  // namespace

std::string StepCaption(const Texts& texts, WindowsFamily family,
                        const StepTitle& title) {
  return family == kFamily9x ? texts.Load(title.key9x, title.default9x)
                             : texts.Load(title.keyNT, title.defaultNT);
}

std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original,
                             const UnitWord& unit) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + WasSetTo(texts, original) + " " +
         texts.Load(unit.key, unit.englishDefault) + ".";
}

std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + WasSetTo(texts, original) + ".";
}

std::string WithCurrentOption(const Texts& texts,
                              const std::string& explanation, bool found,
                              int32_t original) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + WasSetTo(texts, original, kWasSetToOption) + ".";
}

std::string WithSwitchState(const Texts& texts, const std::string& explanation,
                            bool found, int32_t original) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + " " +
         (original != 0 ? texts.Load("6", "is currently enabled.")
                        : texts.Load("5", "is currently disabled."));
}

std::string ReplaceNumber(const std::string& text, int64_t number) {
  const std::string placeholder = "%d";
  const std::string digits = std::to_string(number);
  std::string result;
  size_t from = 0;
  for (size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, from)) {
    result.append(text, from, at - from);
    result += digits;
    from = at + placeholder.size();
  }
  result.append(text, from, std::string::npos);
  return result;
}

}  // namespace velo
