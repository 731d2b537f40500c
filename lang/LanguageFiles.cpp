#include "lang/LanguageFiles.h"

namespace velo {

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

}  // namespace velo
