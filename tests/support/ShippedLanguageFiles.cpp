#include "support/ShippedLanguageFiles.h"

#include <fstream>
#include <sstream>

namespace velo {

namespace {

// res/Lang, from this file's place in tests/support.
std::string LanguageFolder() {
  std::string self = __FILE__;
  std::string tests = self.substr(0, self.rfind("/support/"));
  return tests.substr(0, tests.rfind('/')) + "/res/Lang/";
}

}  // namespace

const std::vector<std::string>& ShippedLanguageNames() {
  static const std::vector<std::string> kLanguages{
      "English", "Deutsch",            "Francais", "Espanol",
      "Italiano", "Portugues (Brasil)", "Russkiy",  "Nihongo"};
  return kLanguages;
}

FileContents ShippedLanguageFile(const std::string& name) {
  FileContents file;
  std::ifstream in(LanguageFolder() + name + ".ini", std::ios::binary);
  if (!in) return file;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  file.state = FileState::kRead;
  file.bytes = bytes.str();
  return file;
}

}  // namespace velo
