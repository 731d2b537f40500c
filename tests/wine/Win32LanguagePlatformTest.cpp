// The language files on a real disk: how the adapter reports files it cannot
// read, and the lookup end to end against the system's own reader followed
// by a character-by-character walk of the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "lang/LanguageFileTexts.h"
#include "lang/Win32LanguagePlatform.h"

namespace velo {
namespace {

TEST(Win32LanguagePlatform, TellsMissingFromUnopenedFiles) {
  TempFolder folder("VelocinePlatform");
  ASSERT_FALSE(folder.Path().empty());
  std::string file = folder.Write("Deutsch.ini", std::string("[a]\0b", 5));
  ASSERT_FALSE(folder.MakeFolder("Folder.ini").empty());
  Win32LanguagePlatform platform;

  FileContents read = platform.ReadWholeFile(file);
  EXPECT_EQ(FileState::kRead, read.state);
  EXPECT_EQ(std::string("[a]\0b", 5), read.bytes);
  EXPECT_EQ(FileState::kNotFound,
            platform.ReadWholeFile(folder.Path() + "\\Absent.ini").state);
  EXPECT_EQ(FileState::kNotOpened,
            platform.ReadWholeFile(folder.Path() + "\\No\\Absent.ini").state);
  EXPECT_EQ(FileState::kNotOpened,
            platform.ReadWholeFile(folder.Path() + "\\Folder.ini").state);
}

// The lookup as the system's own calls would make it.
std::string SystemLookup(const std::string& path, const std::string& key,
                         const std::string& fallback) {
  char text[2000];
  GetPrivateProfileStringA("Lanvora", key.c_str(), fallback.c_str(), text,
                           sizeof(text), path.c_str());
  for (char* p = text; *p; p = CharNextA(p))
    if (*p == '*') *p = '\n';
  return text;
}

TEST(Win32LanguagePlatform, LookupMatchesTheSystemReader) {
  TempFolder folder("VelocineTexts");
  ASSERT_FALSE(folder.Path().empty());
  ASSERT_FALSE(folder.MakeFolder("Lang").empty());
  std::string longText(2500, 'w');
  longText[1998] = '*';
  ASSERT_FALSE(folder
                   .Write("Lang\\Deutsch.ini",
                          "; Deutsch\r\n[LANVORA]\r\n18 = Velocine\r\n"
                          "IDC_HINT=Eins*Zwei**Drei\r\n43=" + longText +
                          "\r\nIDOK=\"OK\"\r\n[Other]\r\n9=other\r\n")
                   .empty());
  std::string appPath = folder.Path();
  std::string language = "deutsch";
  Win32LanguagePlatform platform;
  LanguageFileTexts texts(appPath, language, platform);
  const std::vector<std::pair<std::string, std::string>> lookups = {
      {"18", "Velocine"},  {"IDC_HINT", "Hint*text"}, {"43", "Question"},
      {"IDOK", "OK"},      {"9", "nine*"},            {"idc_hint", ""},
      {"79", "Failed*"}};
  for (const char* name : {"deutsch", "Absent"}) {
    language = name;
    std::string path = appPath + "\\Lang\\" + language + ".ini";
    for (const auto& lookup : lookups)
      EXPECT_EQ(SystemLookup(path, lookup.first, lookup.second),
                texts.Load(lookup.first, lookup.second))
          << language << " " << lookup.first;
  }
  language = "deutsch";
  EXPECT_EQ("Eins\nZwei\n\nDrei", texts.Load("IDC_HINT", ""));
}

}  // namespace
}  // namespace velo
