#include "framework/IntegerText.h"

#include <cctype>

namespace velo {

namespace {
bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool ParseWholeNumber(const std::string& text, int64_t* value) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+'))
    negative = text[at++] == '-';
  if (at >= text.size() || !IsDigit(text[at])) return false;
  // Accumulate as a negative number: its range holds INT64_MIN too.
  int64_t negated = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    int digit = text[at] - '0';
    if (negated < (INT64_MIN + digit) / 10) return false;
    negated = negated * 10 - digit;
  }
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at != text.size()) return false;
  if (!negative && negated == INT64_MIN) return false;
  *value = negative ? negated : -negated;
  return true;
}

int32_t WholeNumberWithin(const std::string& text, int32_t lowest,
                          int32_t highest) {
  int64_t number = 0;
  return ParseWholeNumber(text, &number) && number >= lowest &&
                 number <= highest
             ? static_cast<int32_t>(number)
             : 0;
}

uint32_t ParseLeadingUint32(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  uint64_t number = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    number = number * 10 + (text[at] - '0');
    if (number > UINT32_MAX) return 0;
  }
  return static_cast<uint32_t>(number);
}

}  // namespace velo
