#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lang/LanguageCodePage.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageList.h"
#include "lang/LanguageOwnName.h"
#include "support/ShippedLanguageFiles.h"

namespace velo {
namespace {

std::vector<std::string> Names(const LanguageList& list) {
  std::vector<std::string> names;
  for (const LanguageItem& item : list.Items()) names.push_back(item.name);
  return names;
}

TEST(LanguageList, FlaggedLanguagesComeFirstEachGroupInFoundOrder) {
  LanguageList list;
  EXPECT_EQ(0u, list.Add("A.ini", false));
  EXPECT_EQ(0u, list.Add("B.ini", true));
  EXPECT_EQ(1u, list.Add("C.ini", true));
  EXPECT_EQ((std::vector<std::string>{"B", "C", "A"}), Names(list));
  EXPECT_EQ(0, list.Items()[0].image);
  EXPECT_EQ(1, list.Items()[1].image);
  EXPECT_EQ(-1, list.Items()[2].image);

  EXPECT_EQ(3u, list.Add("D.ini", false));
  EXPECT_EQ(2u, list.Add("E.ini", true));
  EXPECT_EQ((std::vector<std::string>{"B", "C", "E", "A", "D"}), Names(list));
}

TEST(LanguageList, CurrentLanguageIsFoundWithoutRegardToCase) {
  LanguageList list;
  list.Add("English.ini", false);
  list.Add("Deutsch.ini", true);
  EXPECT_EQ(0, list.IndexOf("deutsch"));
  EXPECT_EQ(1, list.IndexOf("ENGLISH"));
  EXPECT_EQ(-1, list.IndexOf("Deutsc"));
  EXPECT_EQ(-1, list.IndexOf(""));
  list.Add(".ini", false);  // a file named only ".ini": an empty name
  EXPECT_EQ(-1, list.IndexOf(""));
}

TEST(LanguageList, AnItemShowsItsOwnNameAndKeepsItsFileName) {
  LanguageList list;
  list.Add("Russkiy.ini", true, "\xD0\xF3\xF1\xF1\xEA\xE8\xE9");
  list.Add("Alba.ini", true);
  EXPECT_EQ("Russkiy", list.Items()[0].name);
  EXPECT_EQ("\xD0\xF3\xF1\xF1\xEA\xE8\xE9", list.Items()[0].shown);
  EXPECT_EQ("Alba", list.Items()[1].shown);
  EXPECT_EQ(0, list.IndexOf("russkiy"));
}

FileContents LanguageFile(const std::string& lines) {
  FileContents file;
  file.state = FileState::kRead;
  file.bytes = "[Lanvora]\r\n" + lines + "18=Velocine\r\n";
  return file;
}

// The shipped languages as the list takes them under `codePage`: each one
// the system draws listed (all with flags), the others left out.
LanguageList ShippedListUnder(unsigned codePage) {
  LanguageList list;
  for (const std::string& name : ShippedLanguageNames()) {
    FileContents file = ShippedLanguageFile(name);
    EXPECT_EQ(FileState::kRead, file.state) << name;
    if (CanDrawLanguage(file, codePage))
      list.Add(name + ".ini", true);
    else
      list.LeaveOut(name + ".ini");
  }
  return list;
}

// Every Windows lists its own languages and English, whose plain ASCII
// reads the same in every code page though its file names 1252.
TEST(LanguageList, OffersTheLanguagesTheSystemsCodePageDraws) {
  const std::vector<std::string> kWestern{
      "English", "Deutsch", "Francais", "Espanol", "Italiano",
      "Portugues (Brasil)"};
  struct Row {
    unsigned codePage;
    std::vector<std::string> offered;
  } rows[] = {
      {1252, kWestern},
      {1251, {"English", "Russkiy"}},
      {932, {"English", "Nihongo"}},
      {1250, {"English"}},  // Central European: é reads as é, è as č
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.offered, Names(ShippedListUnder(row.codePage)))
        << "code page " << row.codePage;
}

// A chosen language the system cannot draw opens in English, which the
// list then shows selected; the choice itself is not the list's to change.
TEST(LanguageList, AChosenLanguageTheSystemCannotDrawSelectsEnglish) {
  struct Row {
    unsigned codePage;
    const char* chosen;
    const char* selected;
  } rows[] = {
      {1252, "nihongo", "English"},  {1252, "Deutsch", "Deutsch"},
      {1251, "Francais", "English"}, {1251, "RUSSKIY", "Russkiy"},
      {932, "Russkiy", "English"},   {932, "Nihongo", "Nihongo"},
  };
  for (const Row& row : rows) {
    LanguageList list = ShippedListUnder(row.codePage);
    int selected = list.SelectionFor(row.chosen);
    ASSERT_LE(0, selected) << row.chosen << " under " << row.codePage;
    EXPECT_EQ(row.selected, list.Items()[selected].name)
        << row.chosen << " under " << row.codePage;
  }
  LanguageList list = ShippedListUnder(1251);
  EXPECT_EQ(-1, list.SelectionFor("Klingon")) << "no such file: no selection";
  EXPECT_EQ(-1, list.SelectionFor(""));
  LanguageList withoutEnglish;
  withoutEnglish.LeaveOut("Nihongo.ini");
  withoutEnglish.Add("Russkiy.ini", true);
  EXPECT_EQ(-1, withoutEnglish.SelectionFor("Nihongo"));
}

// What the rule takes from a file: the code page it names, else plain ASCII.
TEST(LanguageCodePage, NamedCodePageOrPlainAscii) {
  EXPECT_TRUE(CanDrawLanguage(LanguageFile("CodePage=1251\r\n1=\xE1\r\n"), 1251));
  EXPECT_FALSE(CanDrawLanguage(LanguageFile("CodePage=1251\r\n1=\xE1\r\n"), 1252));
  EXPECT_TRUE(CanDrawLanguage(LanguageFile("CodePage=1251\r\n"), 932))
      << "plain ASCII, whatever it names";
  EXPECT_TRUE(CanDrawLanguage(LanguageFile(""), 932)) << "plain ASCII";
  EXPECT_FALSE(CanDrawLanguage(LanguageFile("1=Cymr\xFC\r\n"), 1252))
      << "no code page named: nobody can tell how it reads";
  for (const char* codePage : {"", "12x2", "-1252", "0", "1252 1251", "125200"})
    EXPECT_FALSE(CanDrawLanguage(
        LanguageFile(std::string("CodePage=") + codePage + "\r\n1=\xE9\r\n"),
        1252))
        << codePage;
  EXPECT_TRUE(CanDrawLanguage(FileContents(), 932)) << "no file: built-in texts";
}

TEST(LanguageOwnName, ShownOnlyUnderTheCodePageTheFileNames) {
  FileContents russian =
      LanguageFile("Name=\xD0\xF3\xF1\xF1\xEA\xE8\xE9\r\nCodePage=1251\r\n");
  EXPECT_EQ("\xD0\xF3\xF1\xF1\xEA\xE8\xE9",
            ShownLanguageName(russian, "Russkiy", 1251));
  EXPECT_EQ("Russkiy", ShownLanguageName(russian, "Russkiy", 1252));
  EXPECT_EQ("Russkiy", ShownLanguageName(russian, "Russkiy", 932));
}

TEST(LanguageOwnName, AFileThatDoesNotSayWhatItIsKeepsItsFileName) {
  EXPECT_EQ("Alba", ShownLanguageName(LanguageFile(""), "Alba", 1252));
  EXPECT_EQ("Alba", ShownLanguageName(FileContents(), "Alba", 1252))
      << "no file";
  EXPECT_EQ("Alba", ShownLanguageName(LanguageFile("Name=Gaidhlig\r\n"),
                                      "Alba", 1252))
      << "no code page";
  EXPECT_EQ("Alba", ShownLanguageName(LanguageFile("CodePage=1252\r\n"),
                                      "Alba", 1252))
      << "no name";
  for (const char* codePage : {"", "12x2", "-1252", "0", "1252 1251",
                               "999999"})
    EXPECT_EQ("Alba", ShownLanguageName(
                          LanguageFile(std::string("Name=Gaidhlig\r\nCodePage=") +
                                       codePage + "\r\n"),
                          "Alba", 1252))
        << codePage;
  std::string longest(63, 'n');
  EXPECT_EQ(longest, ShownLanguageName(
                         LanguageFile("Name=" + longest + "\r\nCodePage=1252\r\n"),
                         "Alba", 1252));
  EXPECT_EQ("Alba", ShownLanguageName(
                        LanguageFile("Name=" + longest + "n\r\nCodePage=1252\r\n"),
                        "Alba", 1252))
      << "too long to be a name";
  EXPECT_EQ("Gaidhlig",
            ShownLanguageName(LanguageFile(" name = Gaidhlig \r\ncodepage= 1252\r\n"),
                              "Alba", 1252))
      << "keys as the system's reader takes them";
}

TEST(LanguageFiles, NamesAndPaths) {
  EXPECT_EQ("Deutsch", LanguageName("Deutsch.ini"));
  EXPECT_EQ("x.y", LanguageName("x.y.INI"));
  EXPECT_EQ("", LanguageName("ini"));
  EXPECT_EQ("C:\\V\\Lang\\Deutsch.bmp",
            LanguageFilePath("C:\\V", "Deutsch", ".bmp"));
  EXPECT_EQ("\\Lang\\*.ini", LanguageFilePath("", "*", ".ini"));
}

// The first bytes of a bitmap file: the file header, then an info header of
// `infoSize` bytes (12: the OS/2 form with 16-bit sizes).
std::string BitmapStart(uint32_t infoSize, int32_t width, int32_t height,
                        uint16_t planes, uint16_t bits) {
  std::string bytes = "BM";
  auto put = [&](uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
      bytes += static_cast<char>(value >> (8 * i));
  };
  put(0, 4);   // file size
  put(0, 4);   // reserved
  put(54, 4);  // where the pixels start
  put(infoSize, 4);
  int field = infoSize == 12 ? 2 : 4;
  put(static_cast<uint32_t>(width), field);
  put(static_cast<uint32_t>(height), field);
  put(planes, 2);
  put(bits, 2);
  bytes.resize(infoSize == 12 ? 26 : 54, '\0');
  return bytes;
}

TEST(FlagHeader, BitmapsOfEveryKindTheListDraws) {
  for (uint16_t bits : {1, 4, 8, 16, 24, 32})
    EXPECT_TRUE(FlagHeaderIsBitmap(BitmapStart(40, 16, 16, 1, bits))) << bits;
  EXPECT_TRUE(FlagHeaderIsBitmap(BitmapStart(40, 16, -16, 1, 24)))
      << "top-down";
  EXPECT_TRUE(FlagHeaderIsBitmap(BitmapStart(124, 32, 20, 1, 32)))
      << "a later, longer info header; any size is scaled";
  EXPECT_TRUE(FlagHeaderIsBitmap(BitmapStart(12, 16, 16, 1, 24))) << "OS/2";
  std::string withPixels = BitmapStart(40, 16, 16, 1, 24) + "pixels";
  EXPECT_TRUE(FlagHeaderIsBitmap(withPixels));
}

TEST(FlagHeader, WhatIsNoBitmapGivesNoFlag) {
  EXPECT_FALSE(FlagHeaderIsBitmap(""));
  EXPECT_FALSE(FlagHeaderIsBitmap("Alba's flag, typed in by hand, no picture"));
  std::string bitmap = BitmapStart(40, 16, 16, 1, 24);
  EXPECT_FALSE(FlagHeaderIsBitmap(bitmap.substr(0, 30))) << "cut short";
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(12, 16, 16, 1, 24).substr(0, 25)));
  std::string wrongMagic = bitmap;
  wrongMagic[1] = 'A';
  EXPECT_FALSE(FlagHeaderIsBitmap(wrongMagic));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(20, 16, 16, 1, 24)))
      << "unknown info header";
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(40, 0, 16, 1, 24)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(40, -16, 16, 1, 24)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(40, 16, 0, 1, 24)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(12, 16, 0, 1, 24)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(40, 16, 16, 2, 24)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(40, 16, 16, 1, 7)));
  EXPECT_FALSE(FlagHeaderIsBitmap(BitmapStart(12, 16, 16, 1, 32)))
      << "the OS/2 form has no 32-bit pixels";
}

}  // namespace
}  // namespace velo
