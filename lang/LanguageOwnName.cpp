#include "lang/LanguageOwnName.h"

#include "lang/LanguageFiles.h"

namespace velo {

namespace {

// A name longer than this is no language's name: the list keeps the file's.
const size_t kLongestName = 63;
// Room for one character more, to tell a name that was too long.
const size_t kNameBuffer = kLongestName + 2;

// The code page a file names, or 0 when its value is not a plain number.
unsigned CodePageNamed(const std::string& text) {
  if (text.empty() || text.size() > 5) return 0;
  unsigned number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number;
}

}  // namespace

const char kOwnNameKey[] = "Name";
const char kCodePageKey[] = "CodePage";

std::string ShownLanguageName(const FileContents& file,
                              const std::string& language,
                              unsigned ansiCodePage) {
  IniFile ini(file);
  unsigned codePage =
      CodePageNamed(ini.GetString(kTextSection, kCodePageKey, "", kNameBuffer));
  if (codePage == 0 || codePage != ansiCodePage) return language;
  std::string name = ini.GetString(kTextSection, kOwnNameKey, "", kNameBuffer);
  return name.empty() || name.size() > kLongestName ? language : name;
}

}  // namespace velo
