#include "support/FlagFile.h"

namespace velo {

std::string FlagFile(uint8_t red, uint8_t green, uint8_t blue) {
  const int side = 16, pixels = side * side * 3;
  std::string file(54 + pixels, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, side);
  put32(22, side);
  file[26] = 1;
  file[28] = 24;
  put32(34, pixels);
  for (int i = 54; i < 54 + pixels; i += 3) {
    file[i] = static_cast<char>(blue);
    file[i + 1] = static_cast<char>(green);
    file[i + 2] = static_cast<char>(red);
  }
  return file;
}

}  // namespace velo
