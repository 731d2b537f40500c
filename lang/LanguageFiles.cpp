#include "lang/LanguageFiles.h"

#include <cstdint>

namespace velo {

namespace {

// The little-endian number of `size` bytes at `at`.
uint32_t Number(const std::string& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

const size_t kFileHeaderBytes = 14;
const uint32_t kCoreHeaderBytes = 12;  // the OS/2 form: 16-bit sizes
const uint32_t kInfoHeaderBytes = 40;

bool IsBitCount(uint32_t bits, bool core) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 24 ||
         (!core && (bits == 16 || bits == 32));
}

}  // namespace

const char kTextSection[] = "Lanvora";
const char kBuiltInLanguage[] = "English";

std::string LanguageFilePath(const std::string& appPath,
                             const std::string& name,
                             const std::string& extension) {
  return appPath + "\\Lang\\" + name + extension;
}

std::string LanguageName(const std::string& fileName) {
  const size_t kExtensionLength = 4;
  if (fileName.size() < kExtensionLength) return std::string();
  return fileName.substr(0, fileName.size() - kExtensionLength);
}

bool FlagHeaderIsBitmap(const std::string& start) {
  if (start.size() < kFileHeaderBytes + 4 || start[0] != 'B' ||
      start[1] != 'M')
    return false;
  uint32_t infoSize = Number(start, kFileHeaderBytes, 4);
  bool core = infoSize == kCoreHeaderBytes;
  if (!core && infoSize < kInfoHeaderBytes) return false;
  if (start.size() < kFileHeaderBytes + (core ? kCoreHeaderBytes
                                               : kInfoHeaderBytes))
    return false;
  size_t field = core ? 2 : 4;  // width and height
  size_t at = kFileHeaderBytes + 4;
  uint32_t width = Number(start, at, field);
  uint32_t height = Number(start, at + field, field);
  uint32_t planes = Number(start, at + 2 * field, 2);
  uint32_t bits = Number(start, at + 2 * field + 2, 2);
  // The info header's height is signed: negative for a top-down bitmap.
  bool sized = core ? width > 0 && height > 0
                    : static_cast<int32_t>(width) > 0 && height != 0;
  return sized && planes == 1 && IsBitCount(bits, core);
}

}  // namespace velo
