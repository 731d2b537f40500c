#include <cstring>

#include "framework/IntegerText.h"
#include "fuzz/FuzzTargets.h"
#include "store/StoredNumber.h"

namespace velo {

std::string FuzzNumberText(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  int64_t whole = 0;
  if (ParseWholeNumber(text, &whole)) {
    int64_t again = 0;
    if (!ParseWholeNumber(std::to_string(whole), &again) || again != whole)
      return "a whole number does not read back: " + std::to_string(whole);
  }
  // A box of digits alone: the fix-up reads what data exchange reads, or 0
  // when that does not fit 32 bits.
  if (!text.empty() &&
      text.find_first_not_of("0123456789") == std::string::npos) {
    int64_t expected = 0;
    if (!ParseWholeNumber(text, &expected) || expected > UINT32_MAX)
      expected = 0;
    if (ParseLeadingUint32(text) != expected)
      return "the fix-up reads " + text + " as another number";
  }
  if (LeadingNumber(text) < 0) return "a negative leading number";

  // A 9x text as the registry may hold it: any bytes, any length. It shows
  // its leading digits, and is never taken for a DWORD.
  RegValue stored;
  stored.type = kRegSz;
  stored.data.assign(data, data + size);
  int32_t number = -1;
  if (!ReadNumber(kRegSz, stored, &number) ||
      number != LeadingNumber(text))
    return "a 9x text does not show its leading digits";
  if (ReadNumber(kRegDword, stored, &number)) return "a text read as a DWORD";

  // What Finish writes reads back as the same number.
  if (size >= 4) {
    int32_t chosen;
    std::memcpy(&chosen, data, sizeof chosen);
    int32_t read = 0;
    if (!ReadNumber(kRegDword, StoredNumber(kRegDword, chosen), &read) ||
        read != chosen)
      return "a DWORD does not read back";
    if (chosen >= 0 &&
        (!ReadNumber(kRegSz, StoredNumber(kRegSz, chosen), &read) ||
         read != chosen))
      return "a 9x text does not read back: " + std::to_string(chosen);
  }
  return "";
}

}  // namespace velo
