// The bytes of a 16 by 16 bitmap file of one colour (24 bits a pixel), as a
// language's flag.
#pragma once

#include <cstdint>
#include <string>

namespace velo {

std::string FlagFile(uint8_t red, uint8_t green, uint8_t blue);

}  // namespace velo
