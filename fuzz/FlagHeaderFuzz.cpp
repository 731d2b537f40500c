#include <algorithm>

#include "fuzz/FuzzTargets.h"
#include "lang/LanguageFiles.h"

namespace velo {

std::string FuzzFlagHeader(const uint8_t* data, size_t size) {
  // The list reads at most this many bytes of a flag file.
  const std::string start(reinterpret_cast<const char*>(data),
                          std::min(size, kFlagHeaderBytes));
  if (!FlagHeaderIsBitmap(start)) return "";
  if (start.compare(0, 2, "BM") != 0) return "a bitmap without its signature";
  // Not even the smallest header fits in fewer bytes.
  if (start.size() < 26)
    return "a bitmap header of " + std::to_string(start.size()) + " bytes";
  return "";
}

}  // namespace velo
