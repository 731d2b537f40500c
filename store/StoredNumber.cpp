#include "store/StoredNumber.h"

#include <limits>

#include "store/RegistryLocations.h"

namespace velo {

RegValue StoredNumber(RegType locationType, int32_t number) {
  if (locationType == kRegDword)
    return RegValue::Dword(static_cast<uint32_t>(number));
  RegValue text = RegValue::Text(std::to_string(number));
  PadText(&text);
  return text;
}

bool ReadNumber(RegType locationType, const RegValue& stored,
                int32_t* number) {
  if (stored.type != locationType) return false;
  if (locationType == kRegSz) {
    *number = LeadingNumber(stored.AsText());
    return true;
  }
  if (stored.data.size() != 4) return false;
  uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | stored.data[i];
  *number = static_cast<int32_t>(bits);
  return true;
}

int32_t LeadingNumber(const std::string& text) {
  const int64_t largest = std::numeric_limits<int32_t>::max();
  int64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
    if (number > largest) return static_cast<int32_t>(largest);
  }
  return static_cast<int32_t>(number);
}

void PadText(RegValue* value) {
  if (value->type == kRegSz && value->data.size() < kTextNumberSize)
    value->data.resize(kTextNumberSize, 0);
}

}  // namespace velo
