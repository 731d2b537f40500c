#include "lang/LanguageOwnName.h"

#include "lang/LanguageCodePage.h"
#include "lang/LanguageFiles.h"

namespace velo {

namespace {

// A name longer than this is no language's name: the list keeps the file's.
const size_t kLongestName = 63;
// Room for one character more, to tell a name that was too long.
const size_t kNameBuffer = kLongestName + 2;

}  // namespace

const char kOwnNameKey[] = "Name";

std::string ShownLanguageName(const FileContents& file,
                              const std::string& language,
                              unsigned ansiCodePage) {
  IniFile ini(file);
  unsigned codePage = NamedCodePage(ini);
  if (codePage == 0 || codePage != ansiCodePage) return language;
  std::string name = ini.GetString(kTextSection, kOwnNameKey, "", kNameBuffer);
  return name.empty() || name.size() > kLongestName ? language : name;
}

}  // namespace velo
