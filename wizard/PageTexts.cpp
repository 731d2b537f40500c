#include "wizard/PageTexts.h"

namespace velo {

namespace {

// A word of the language file, to stand in a sentence pattern as it is.
std::string Literal(const std::string& word) {
  std::string escaped;
  for (char c : word) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  return escaped;
}

// The file's pattern for a sentence; a file without one gets the sentence
// joined from its words with blanks, as files written before the patterns
// have always been shown.
std::string Pattern(const Texts& texts, TextId pattern,
                    const std::string& joined) {
  return texts.Load(EnglishTextOf(pattern).key, joined);
}

std::string Value(int32_t original) {
  return std::to_string(static_cast<uint32_t>(original));
}

std::string NotSet(const Texts& texts, const std::string& explanation) {
  return FillPattern(
      Pattern(texts, TextId::NotSetSentence,
              "%1 " + Literal(texts.Load(TextId::IsNotSet))),
      explanation);
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
  if (!found) return NotSet(texts, explanation);
  const std::string wasSetTo = "%1 " + Literal(texts.Load(TextId::WasSetTo));
  if (!unit)
    return FillPattern(
        Pattern(texts, TextId::ValueSentence, wasSetTo + " %2."), explanation,
        Value(original));
  return FillPattern(Pattern(texts, TextId::ValueWithUnitSentence,
                             wasSetTo + " %2 %3."),
                     explanation, Value(original), texts.Load(*unit));
}

std::string WithConnectionMtu(const Texts& texts,
                              const std::string& explanation, int32_t found,
                              int32_t mtu) {
  if (found != kConnectionMtuFixedByWindows)
    return WithCurrentValue(texts, explanation, found == kConnectionMtuSet,
                            mtu, &kBytes);
  return FillPattern(texts.Load(TextId::FixedMtuSentence), explanation,
                     Value(mtu), texts.Load(TextId::Bytes));
}

std::string WithCurrentOption(const Texts& texts,
                              const std::string& explanation, bool found,
                              int32_t original) {
  if (!found) return NotSet(texts, explanation);
  return FillPattern(
      Pattern(texts, TextId::OptionSentence,
              "%1 " + Literal(texts.Load(TextId::WasSetToOption)) + " %2."),
      explanation, Value(original));
}

std::string WithSwitchState(const Texts& texts, const std::string& explanation,
                            bool found, int32_t original) {
  if (!found) return NotSet(texts, explanation);
  TextId sentence = original != 0 ? TextId::EnabledSentence
                                  : TextId::DisabledSentence;
  TextId state = original != 0 ? TextId::IsEnabled : TextId::IsDisabled;
  return FillPattern(
      Pattern(texts, sentence, "%1 " + Literal(texts.Load(state))),
      explanation);
}

std::string FillPattern(const std::string& pattern, const std::string& text,
                        const std::string& value, const std::string& unit) {
  std::string filled;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::string* part = nullptr;
    if (pattern[i] == '%') {
      if (next == '1') part = &text;
      if (next == '2') part = &value;
      if (next == '3') part = &unit;
    }
    if (part) {
      filled += *part;
      ++i;
    } else {
      filled += pattern[i];
      if (pattern[i] == '%' && next == '%') ++i;
    }
  }
  return filled;
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
