#include "wizard/PageTexts.h"

namespace velo {

namespace {

std::string WasSetTo(const Texts& texts, int32_t original,
                     TextId phrase = TextId::WasSetTo) {
  return " " + texts.Load(phrase) + " " +
         std::to_string(static_cast<uint32_t>(original));
}

std::string IsNotSet(const Texts& texts) {
  return " " + texts.Load(TextId::IsNotSet);
}

}  // namespace

std::string StepCaption(const Texts& texts, WindowsFamily family,
                        const StepTitle& title) {
  return texts.Load(family == kFamily9x ? title.nineX : title.nt);
}

std::string ComposeText(const Texts& texts, const PageText& text,
                        const SettingsRecord& record, const FoundFlags& found) {
  const std::string looked = texts.Load(text.text);
  switch (text.form) {
    case PageText::kPlain:
      return looked;
    case PageText::kRecommendation:
      return ReplaceNumber(looked, record.*text.field);
    case PageText::kCurrentValue:
      return WithCurrentValue(texts, looked, found.*text.found != 0,
                              record.*text.field, text.unit);
    case PageText::kCurrentOption:
      return WithCurrentOption(texts, looked, found.*text.found != 0,
                               record.*text.field);
    case PageText::kSwitchState:
      return WithSwitchState(texts, looked, found.*text.found != 0,
                             record.*text.field);
  }
  return looked;
}

std::string WithCurrentValue(const Texts& texts, const std::string& explanation,
                             bool found, int32_t original, const TextId* unit) {
  if (!found) return explanation + IsNotSet(texts);
  std::string unitWord = unit ? " " + texts.Load(*unit) : "";
  return explanation + WasSetTo(texts, original) + unitWord + ".";
}

std::string WithCurrentOption(const Texts& texts,
                              const std::string& explanation, bool found,
                              int32_t original) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + WasSetTo(texts, original, TextId::WasSetToOption) + ".";
}

std::string WithSwitchState(const Texts& texts, const std::string& explanation,
                            bool found, int32_t original) {
  if (!found) return explanation + IsNotSet(texts);
  return explanation + " " +
         texts.Load(original != 0 ? TextId::IsEnabled : TextId::IsDisabled);
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
