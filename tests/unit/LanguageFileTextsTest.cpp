#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lang/LanguageFileTexts.h"

namespace velo {
namespace {

// Files in memory and an ANSI code page: Western (1252) unless told, or
// Japanese (932) with the lead bytes of Shift-JIS.
class FakeLanguagePlatform : public LanguagePlatform {
 public:
  FileContents ReadWholeFile(const std::string& path) const override {
    reads.push_back(path);
    auto found = files.find(path);
    return found == files.end() ? FileContents() : found->second;
  }
  unsigned AnsiCodePage() const override { return codePage; }
  bool IsLeadByte(unsigned char byte) const override {
    return codePage == 932 &&
           ((byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc));
  }
  void Put(const std::string& path, const std::string& bytes) {
    files[path].state = FileState::kRead;
    files[path].bytes = bytes;
  }

  std::map<std::string, FileContents> files;
  unsigned codePage = 1252;
  mutable std::vector<std::string> reads;
};

class LanguageFileTextsTest : public ::testing::Test {
 protected:
  void PutGerman(const std::string& lines) {
    platform_.Put("C:\\Velo\\Lang\\Deutsch.ini",
                  "[Lanvora]\r\nCodePage=1252\r\n" + lines);
  }
  void PutJapanese(const std::string& lines) {
    platform_.Put("C:\\Velo\\Lang\\Nihongo.ini",
                  "[Lanvora]\r\nCodePage=932\r\n" + lines);
  }

  std::string appPath_ = "C:\\Velo";
  std::string language_ = "Deutsch";
  FakeLanguagePlatform platform_;
  LanguageFileTexts texts_{appPath_, language_, platform_};
};

TEST_F(LanguageFileTextsTest, ReadsTheLanguageFileAtEveryLookup) {
  PutGerman("18=Velocine DE\r\n");
  EXPECT_EQ("Velocine DE", texts_.Load("18", "Velocine"));
  PutGerman("18=Velocine neu\r\n");
  EXPECT_EQ("Velocine neu", texts_.Load("18", "Velocine"));
  platform_.Put("C:\\Velo\\Lang\\Francais.ini", "[lanvora]\n18=Velocine FR\n");
  language_ = "Francais";
  EXPECT_EQ("Velocine FR", texts_.Load("18", "Velocine"));
  appPath_.clear();
  language_.clear();
  EXPECT_EQ("Velocine", texts_.Load("18", "Velocine"));
  EXPECT_EQ((std::vector<std::string>{
                "C:\\Velo\\Lang\\Deutsch.ini", "C:\\Velo\\Lang\\Deutsch.ini",
                "C:\\Velo\\Lang\\Francais.ini", "\\Lang\\.ini"}),
            platform_.reads);
}

TEST_F(LanguageFileTextsTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ("bytes", texts_.Load("4", "bytes"));
  platform_.Put("C:\\Velo\\Lang\\Deutsch.ini", "[Other]\n4=Bytes\n");
  EXPECT_EQ("bytes", texts_.Load("4", "bytes"));
  PutGerman("5=aus\n");
  EXPECT_EQ("bytes", texts_.Load("4", "bytes"));
  EXPECT_EQ("aus", texts_.Load("5", "is currently disabled."));
}

TEST_F(LanguageFileTextsTest, EveryStarBecomesALineFeed) {
  PutGerman("IDC_HINT=Eins*Zwei**Drei*\n");
  EXPECT_EQ("Eins\nZwei\n\nDrei\n", texts_.Load("IDC_HINT", "x"));
  EXPECT_EQ("One\n\nTwo", texts_.Load("absent", "One**Two"));
}

TEST_F(LanguageFileTextsTest, LongTextIsCutAt1999Characters) {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += static_cast<char>('a' + i % 26);
  PutGerman("43=" + text + "\n");
  EXPECT_EQ(text.substr(0, 1999), texts_.Load("43", "x"));
  EXPECT_EQ(text.substr(0, 1999), texts_.Load("absent", text));
}

TEST_F(LanguageFileTextsTest, StarInsideADoubleByteCharacterStays) {
  language_ = "Nihongo";
  platform_.codePage = 932;
  PutJapanese("1=\x81*a*\x82**\n");
  EXPECT_EQ("\x81*a\n\x82*\n", texts_.Load("1", "x"));
  PutGerman("1=\x81*a*\x82**\n");
  language_ = "Deutsch";
  platform_.codePage = 1252;
  EXPECT_EQ("\x81\na\n\x82\n\n", texts_.Load("1", "x"));
}

TEST_F(LanguageFileTextsTest, DoubleByteCharacterCutInTwoIsDropped) {
  language_ = "Nihongo";
  platform_.codePage = 932;
  PutJapanese("1=" + std::string(1998, 'a') + "\x81\x40tail\n");
  EXPECT_EQ(std::string(1998, 'a'), texts_.Load("1", "x"));
}

// Each language under each code page the tests know: its own texts where
// the system draws them as written, the built-in English where it would
// garble them. Plain ASCII reads the same everywhere, whatever it names.
TEST_F(LanguageFileTextsTest, ALanguageTheSystemCannotDrawGivesTheBuiltInTexts) {
  PutGerman("18=Velocine l\xE4uft\n");
  PutJapanese("18=\x93\xFA\x96\x7B\n");
  platform_.Put("C:\\Velo\\Lang\\Russkiy.ini",
                "[Lanvora]\nCodePage=1251\n18=\xD0\xF3\xF1\n");
  platform_.Put("C:\\Velo\\Lang\\English.ini",
                "[Lanvora]\nCodePage=1252\n18=Velocine EN\n");
  platform_.Put("C:\\Velo\\Lang\\Alba.ini", "[Lanvora]\n18=Alba\n");
  platform_.Put("C:\\Velo\\Lang\\Cymru.ini", "[Lanvora]\n18=Cymr\xFC\n");
  struct Row {
    unsigned codePage;
    std::map<std::string, std::string> shown;
  };
  const std::string kBuiltIn = "Velocine";
  const Row rows[] = {
      {1252, {{"Deutsch", "Velocine l\xE4uft"}, {"Nihongo", kBuiltIn},
              {"Russkiy", kBuiltIn}, {"English", "Velocine EN"},
              {"Alba", "Alba"}, {"Cymru", kBuiltIn}}},
      {1251, {{"Deutsch", kBuiltIn}, {"Nihongo", kBuiltIn},
              {"Russkiy", "\xD0\xF3\xF1"}, {"English", "Velocine EN"},
              {"Alba", "Alba"}, {"Cymru", kBuiltIn}}},
      {932, {{"Deutsch", kBuiltIn}, {"Nihongo", "\x93\xFA\x96\x7B"},
             {"Russkiy", kBuiltIn}, {"English", "Velocine EN"},
             {"Alba", "Alba"}, {"Cymru", kBuiltIn}}},
  };
  for (const Row& row : rows) {
    platform_.codePage = row.codePage;
    for (const auto& language : row.shown) {
      language_ = language.first;
      EXPECT_EQ(language.second, texts_.Load("18", kBuiltIn))
          << language.first << " under " << row.codePage;
      LanguageFileTexts::OneReading reading(texts_);
      EXPECT_EQ(language.second, texts_.Load("18", kBuiltIn))
          << language.first << " under " << row.codePage << ", read once";
    }
  }
}

TEST_F(LanguageFileTextsTest, OneReadingServesEveryLookupOfItsFile) {
  PutGerman("18=Velocine DE\r\nIDC_HINT=Eins*Zwei\r\n");
  {
    LanguageFileTexts::OneReading reading(texts_);
    PutGerman("18=changed meanwhile\r\n");
    EXPECT_EQ("Velocine DE", texts_.Load("18", "Velocine"));
    EXPECT_EQ("Eins\nZwei", texts_.Load("IDC_HINT", "x"));
    EXPECT_EQ("bytes", texts_.Load("4", "bytes"));
  }
  EXPECT_EQ(std::vector<std::string>{"C:\\Velo\\Lang\\Deutsch.ini"},
            platform_.reads);
  // Once it ends, every lookup reads the file again.
  EXPECT_EQ("changed meanwhile", texts_.Load("18", "Velocine"));
  EXPECT_EQ(2u, platform_.reads.size());
}

TEST_F(LanguageFileTextsTest, ALanguageChangedDuringAReadingReadsItsOwnFile) {
  PutGerman("18=Velocine DE\n");
  platform_.Put("C:\\Velo\\Lang\\Francais.ini", "[Lanvora]\n18=Velocine FR\n");
  LanguageFileTexts::OneReading reading(texts_);
  language_ = "Francais";
  EXPECT_EQ("Velocine FR", texts_.Load("18", "Velocine"));
  EXPECT_EQ("Velocine FR", texts_.Load("18", "Velocine"));
  language_ = "deutsch";  // another spelling is another path: read anew
  EXPECT_EQ("Velocine", texts_.Load("18", "Velocine"));
  language_ = "Deutsch";
  EXPECT_EQ("Velocine DE", texts_.Load("18", "Velocine"));
  EXPECT_EQ((std::vector<std::string>{
                "C:\\Velo\\Lang\\Deutsch.ini", "C:\\Velo\\Lang\\Francais.ini",
                "C:\\Velo\\Lang\\Francais.ini", "C:\\Velo\\Lang\\deutsch.ini"}),
            platform_.reads);
}

TEST_F(LanguageFileTextsTest, AnInnerReadingLeavesTheOuterOneInPlace) {
  PutGerman("18=Velocine DE\n");
  LanguageFileTexts::OneReading outer(texts_);
  { LanguageFileTexts::OneReading inner(texts_); }
  PutGerman("18=changed meanwhile\n");
  EXPECT_EQ("Velocine DE", texts_.Load("18", "Velocine"));
  EXPECT_EQ(1u, platform_.reads.size());
}

TEST_F(LanguageFileTextsTest, AFileThatCouldNotBeOpenedGivesTheSameUnderAReading) {
  platform_.files["C:\\Velo\\Lang\\Deutsch.ini"].state = FileState::kNotOpened;
  std::string without = texts_.Load("18", "\"Velocine\"  ");
  LanguageFileTexts::OneReading reading(texts_);
  EXPECT_EQ(without, texts_.Load("18", "\"Velocine\"  "));
  EXPECT_EQ("\"Velocine\"", without);
  EXPECT_EQ("bytes", texts_.Load("4", "bytes"));
}

}  // namespace
}  // namespace velo
