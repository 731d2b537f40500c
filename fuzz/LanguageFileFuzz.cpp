#include <algorithm>

#include "fuzz/FuzzTargets.h"
#include "lang/IniFile.h"
#include "lang/LanguageCodePage.h"
#include "lang/LanguageFileTexts.h"
#include "lang/LanguageOwnName.h"
#include "lang/LanguagePlatform.h"

namespace velo {

namespace {

// A language file of the given bytes, in a single-byte code page or in a
// double-byte one with the lead bytes of code page 932. The system's code
// page is the one the file names, so that its texts are looked up rather
// than left for the built-in ones.
class FuzzedPlatform : public LanguagePlatform {
 public:
  FuzzedPlatform(std::string bytes, bool doubleByte)
      : bytes_(std::move(bytes)), doubleByte_(doubleByte) {}
  FileContents ReadWholeFile(const std::string&) const override {
    FileContents file;
    file.state = FileState::kRead;
    file.bytes = bytes_;
    return file;
  }
  unsigned AnsiCodePage() const override {
    FileContents file = ReadWholeFile("");
    return NamedCodePage(IniFile(file));
  }
  bool IsLeadByte(unsigned char byte) const override {
    return doubleByte_ &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
  }

 private:
  std::string bytes_;
  bool doubleByte_;
};

// The keys looked up: some the program asks for, and the first key the file
// names, so that lookups find their text.
std::vector<std::string> KeysToLookUp(const std::string& bytes) {
  std::vector<std::string> keys = {"1", "41", "IDC_static_step3_MTUExplain",
                                   ""};
  size_t lineEnd = bytes.find_first_of("\r\n", bytes.find('\n') + 1);
  size_t start = bytes.find('\n') + 1;
  std::string line = bytes.substr(start, lineEnd == std::string::npos
                                             ? std::string::npos
                                             : lineEnd - start);
  keys.push_back(line.substr(0, line.find('=')));
  return keys;
}

}  // namespace

std::string FuzzLanguageFile(const uint8_t* data, size_t size) {
  if (size == 0) return "";
  bool doubleByte = data[0] & 1;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  FuzzedPlatform platform(bytes, doubleByte);
  std::string appPath = "C:\\Program Files\\Velocine";
  std::string language = "Fuzzed";
  LanguageFileTexts texts(appPath, language, platform);
  IniFile ini(platform.ReadWholeFile(""));
  for (const std::string& key : KeysToLookUp(bytes)) {
    std::string text = texts.Load(key, "built*in");
    if (text.size() > 1999) return "a text longer than 1999 characters";
    if (!doubleByte && text.find('*') != std::string::npos)
      return "a \"*\" left in a single-byte text: " + key;
    for (size_t bufferSize : {1, 2, 5, 260}) {
      std::string value = ini.GetString("Lanvora", key, "x", bufferSize);
      if (value.size() > bufferSize - 1)
        return "more than the buffer holds for key " + key;
    }
  }
  // The list's item: the file's own name or the file name, never empty and
  // never longer than a name can be.
  for (unsigned codePage : {932u, 1251u, 1252u}) {
    std::string shown = ShownLanguageName(platform.ReadWholeFile(""), language,
                                          codePage);
    if (shown.empty() || shown.size() > 63)
      return "a list item of " + std::to_string(shown.size()) + " characters";
  }
  return "";
}

}  // namespace velo
