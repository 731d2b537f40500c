// How a number of the settings record is kept in the registry: as decimal
// text in the 9x family, as a 32-bit little-endian DWORD elsewhere.
#pragma once

#include <cstdint>
#include <string>

#include "registry/RegKey.h"

namespace velo {

// The value Finish writes for `number` into a location of `locationType`.
// Text is signed decimal, zero-padded to kTextNumberSize bytes.
RegValue StoredNumber(RegType locationType, int32_t number);

// The number a stored value shows on the wizard's pages. False when the value
// is not in its location's form (another type, or a DWORD not 4 bytes long):
// it is then kept in the backup as it is but shown as not set.
bool ReadNumber(RegType locationType, const RegValue& stored, int32_t* number);

// The leading decimal digits of `text` as a number (0 when there are none;
// too many digits give the largest int32_t).
int32_t LeadingNumber(const std::string& text);

// Zero-pads a REG_SZ shorter than kTextNumberSize to that size, as the 9x
// family writes its texts; any other value stays as it is.
void PadText(RegValue* value);

}  // namespace velo
