// Integers as the program's edit boxes hold them.
#pragma once

#include <cstdint>
#include <string>

namespace velo {

// A whole signed decimal number and nothing else (blanks around it allowed)
// that fits 64 bits. False for anything else, so data exchange can show
// "Please enter an integer.".
bool ParseWholeNumber(const std::string& text, int64_t* value);

// The whole number `text` holds (as ParseWholeNumber reads it) when it lies
// from `lowest` to `highest`; 0 for anything else, as a box being typed in
// reads before it holds a number it takes.
int32_t WholeNumberWithin(const std::string& text, int32_t lowest,
                          int32_t highest);

// The leading unsigned decimal number of a box, as a kill-focus fix-up reads
// it: 0 when there is none or it does not fit 32 bits.
uint32_t ParseLeadingUint32(const std::string& text);

}  // namespace velo
