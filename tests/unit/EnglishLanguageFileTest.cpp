// The shipped English language file against the program's table of texts:
// every key of the table is in the file, the file has no key the program
// does not use, and each text in it shows exactly as the built-in English.
// Every other shipped language file has exactly the keys of the English one,
// the same number and sentence placeholders, line breaks and accelerators in
// each text, is written in an ANSI code page (not UTF-8) that it names
// itself, with its own name, and has a 16 by 16 flag beside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lang/EnglishTexts.h"
#include "lang/LanguageCodePage.h"
#include "lang/LanguageFileTexts.h"
#include "lang/LanguageOwnName.h"
#include "support/AnsiCodePage.h"

namespace velo {
namespace {

namespace fs = std::filesystem;

// The source tree this test was compiled from.
fs::path SourceRoot() {
  return fs::path(__FILE__).parent_path().parent_path().parent_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const char kAppPath[] = "C:\\Velocine";
const char kEnglishPath[] = "C:\\Velocine\\Lang\\English.ini";

// The shipped English file at the place the program looks for it; no other
// file exists.
class ShippedFilePlatform : public LanguagePlatform {
 public:
  ShippedFilePlatform() {
    english_.state = FileState::kRead;
    english_.bytes = ReadFile(SourceRoot() / "res" / "Lang" / "English.ini");
  }
  FileContents ReadWholeFile(const std::string& path) const override {
    return path == kEnglishPath ? english_ : FileContents();
  }
  unsigned AnsiCodePage() const override { return 1252; }
  bool IsLeadByte(unsigned char) const override { return false; }
  const std::string& Bytes() const { return english_.bytes; }

 private:
  FileContents english_;
};

// The lines of the file, without their line ends and outer blanks.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  const char* blanks = " \t\r\n\v\f\x1a";
  for (std::string line; std::getline(in, line);) {
    size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos) continue;
    lines.push_back(line.substr(first, line.find_last_not_of(blanks) - first + 1));
  }
  return lines;
}

// The key of a key=text line, without the blanks before the "=".
std::string KeyOf(const std::string& line) {
  std::string key = line.substr(0, line.find('='));
  return key.substr(0, key.find_last_not_of(" \t") + 1);
}

class EnglishLanguageFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (size_t i = 0; i < kEnglishTextCount; ++i)
      defaults_[kEnglishTexts[i].key].insert(kEnglishTexts[i].english);
  }

  // Each key with the English texts the program gives it.
  std::map<std::string, std::set<std::string>> defaults_;
  ShippedFilePlatform platform_;
  std::string appPath_ = kAppPath;
  std::string english_ = "English";
  std::string noLanguage_ = "None";
  LanguageFileTexts fromFile_{appPath_, english_, platform_};
  LanguageFileTexts builtIn_{appPath_, noLanguage_, platform_};
};

TEST_F(EnglishLanguageFileTest, EveryKeyOfTheProgramIsNamedOnce) {
  EXPECT_EQ(kEnglishTextCount, defaults_.size()) << "a key named twice";
  // The shell's and the wizard's texts are both among them.
  EXPECT_EQ(1u, defaults_.count("18"));
  EXPECT_EQ(1u, defaults_.count("IDC_DESCRIBTION"));
}

TEST_F(EnglishLanguageFileTest, HoldsOneSectionOfKeyTextLinesWithEachKeyOnce) {
  std::vector<std::string> lines = Lines(platform_.Bytes());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ("[Lanvora]", lines.front());
  std::set<std::string> keys;
  for (size_t i = 1; i < lines.size(); ++i) {
    size_t equals = lines[i].find('=');
    ASSERT_NE(std::string::npos, equals) << "not key=text: " << lines[i];
    EXPECT_TRUE(keys.insert(KeyOf(lines[i])).second)
        << "twice: " << lines[i];
  }
}

TEST_F(EnglishLanguageFileTest, HasEveryKeyOfTheProgramAndNoOther) {
  std::set<std::string> file;
  std::vector<std::string> lines = Lines(platform_.Bytes());
  for (size_t i = 1; i < lines.size(); ++i) file.insert(KeyOf(lines[i]));
  std::vector<std::string> missing, unused;
  for (const auto& key : defaults_)
    if (!file.count(key.first)) missing.push_back(key.first);
  // The file's own name and code page are no texts: the list reads them.
  for (const std::string& key : file)
    if (!defaults_.count(key) && key != kOwnNameKey && key != kCodePageKey)
      unused.push_back(key);
  EXPECT_EQ(std::vector<std::string>(), missing) << "missing from the file";
  EXPECT_EQ(std::vector<std::string>(), unused) << "not used by the program";
}

TEST_F(EnglishLanguageFileTest, EachTextShowsAsTheBuiltInEnglish) {
  const std::string missing = "\x01(missing)";
  for (size_t i = 0; i < kEnglishTextCount; ++i) {
    const EnglishText& text = kEnglishTexts[i];
    // A key missing from the file is reported by the test of the keys.
    if (fromFile_.Load(text.key, missing) == missing) continue;
    EXPECT_EQ(builtIn_.Load(text.key, text.english),
              fromFile_.Load(text.key, text.english))
        << "key " << text.key;
  }
}

// The texts of a language file by key, in the order of the file.
std::map<std::string, std::string> TextsByKey(const std::string& bytes) {
  std::map<std::string, std::string> texts;
  std::vector<std::string> lines = Lines(bytes);
  for (size_t i = 1; i < lines.size(); ++i) {
    size_t equals = lines[i].find('=');
    if (equals == std::string::npos) continue;
    texts[KeyOf(lines[i])] = lines[i].substr(equals + 1);
  }
  return texts;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + what.size()))
    ++count;
  return count;
}

// Menu-style accelerators: "&" before a character other than a blank or
// another "&" ("TTL & Internet Explorer" in a caption has none).
size_t Accelerators(const std::string& text) {
  size_t count = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') { ++i; continue; }
    if (text[i + 1] != ' ') ++count;
  }
  return count;
}

uint32_t LittleEndian(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Each shipped language other than English, by its name.
std::vector<std::string> Translations() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(SourceRoot() / "res" / "Lang"))
    if (entry.path().extension() == ".ini" && entry.path().stem() != "English")
      names.push_back(entry.path().stem().string());
  return names;
}

class ShippedTranslationsTest : public ::testing::Test {
 protected:
  std::map<std::string, std::string> english_ = TextsByKey(
      ReadFile(SourceRoot() / "res" / "Lang" / "English.ini"));
  std::vector<std::string> translations_ = Translations();
};

TEST_F(ShippedTranslationsTest, SevenAreShipped) {
  EXPECT_LE(7u, translations_.size());
}

TEST_F(ShippedTranslationsTest, EachHoldsOneSectionWithExactlyTheEnglishKeys) {
  for (const std::string& name : translations_) {
    std::string bytes = ReadFile(SourceRoot() / "res" / "Lang" / (name + ".ini"));
    std::vector<std::string> lines = Lines(bytes);
    ASSERT_FALSE(lines.empty()) << name;
    EXPECT_EQ("[Lanvora]", lines.front()) << name;
    std::map<std::string, std::string> texts = TextsByKey(bytes);
    EXPECT_EQ(lines.size() - 1, texts.size()) << name << ": a key twice or a line without =";
    std::vector<std::string> missing, extra;
    for (const auto& key : english_)
      if (!texts.count(key.first)) missing.push_back(key.first);
    for (const auto& key : texts)
      if (!english_.count(key.first)) extra.push_back(key.first);
    EXPECT_EQ(std::vector<std::string>(), missing) << name << ": missing";
    EXPECT_EQ(std::vector<std::string>(), extra) << name << ": not in English.ini";
  }
}

// The program fills every "%d" and every sentence's %1, %2 and %3, breaks
// lines at every "*", and a button without its "&" loses its keyboard
// access: a translation keeps each.
TEST_F(ShippedTranslationsTest, EachTextKeepsItsNumbersLineBreaksAndAccelerators) {
  for (const std::string& name : translations_) {
    std::map<std::string, std::string> texts =
        TextsByKey(ReadFile(SourceRoot() / "res" / "Lang" / (name + ".ini")));
    for (const auto& key : english_) {
      auto text = texts.find(key.first);
      if (text == texts.end()) continue;  // reported by the test of the keys
      for (const char* placeholder : {"%d", "%1", "%2", "%3"})
        EXPECT_EQ(Count(key.second, placeholder),
                  Count(text->second, placeholder))
            << name << " " << key.first << " " << placeholder;
      EXPECT_EQ(Count(key.second, "*"), Count(text->second, "*"))
          << name << " " << key.first;
      EXPECT_EQ(Accelerators(key.second), Accelerators(text->second))
          << name << " " << key.first;
      EXPECT_FALSE(text->second.empty()) << name << " " << key.first;
    }
  }
}

// True when every byte above 127 belongs to a well-formed UTF-8 sequence:
// such a file was saved as UTF-8, which an ANSI program shows garbled.
bool LooksLikeUtf8(const std::string& bytes) {
  bool anyHigh = false;
  for (size_t i = 0; i < bytes.size();) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3
                  : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) return false;
    anyHigh = anyHigh || length > 1;
    i += length;
  }
  return anyHigh;
}

// Code page 932: every lead byte is followed by a trail byte on its line.
bool WholeShiftJisCharacters(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    if (!lead) continue;
    if (++i == bytes.size()) return false;
    unsigned char trail = static_cast<unsigned char>(bytes[i]);
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
  }
  return true;
}

TEST_F(ShippedTranslationsTest, EachIsInAnAnsiCodePageNotUtf8) {
  for (const std::string& name : translations_) {
    std::string bytes = ReadFile(SourceRoot() / "res" / "Lang" / (name + ".ini"));
    EXPECT_FALSE(LooksLikeUtf8(bytes)) << name;
  }
  std::string japanese = ReadFile(SourceRoot() / "res" / "Lang" / "Nihongo.ini");
  ASSERT_FALSE(japanese.empty());
  EXPECT_TRUE(WholeShiftJisCharacters(japanese));
}

// What each file's own habit leaves out, so that a text added later reads
// as the rest of its file: Windows is "this version of Windows", as Windows
// says it, and the Russian file is written with е, not ё.
TEST_F(ShippedTranslationsTest, EachKeepsTheHabitsOfItsFile) {
  const struct {
    const char* name;
    const char* avoided;  // in the file's own code page
  } rows[] = {
      {"English", "this Windows"},
      {"English", "This Windows"},
      {"Deutsch", "diesem Windows"},
      {"Deutsch", "dieses Windows"},
      {"Espanol", "este Windows"},
      {"Francais", " ce Windows"},
      {"Italiano", "questo Windows"},
      {"Portugues (Brasil)", "este Windows"},
      {"Nihongo", "\x82\xb1\x82\xcc Windows"},  // "this Windows"
      {"Russkiy", "\xb8"},                       // ё
  };
  for (const auto& row : rows) {
    std::string bytes =
        ReadFile(SourceRoot() / "res" / "Lang" / (std::string(row.name) + ".ini"));
    ASSERT_FALSE(bytes.empty()) << row.name;
    for (const std::string& line : Lines(bytes))
      EXPECT_EQ(std::string::npos, line.find(row.avoided))
          << row.name << ": " << line.substr(0, line.find('='));
  }
}

// The list shows a language's own name only where the system's code page is
// the one the file names: that must be the one its bytes are written in.
TEST_F(ShippedTranslationsTest, EachNamesItselfAndItsCodePage) {
  std::vector<std::string> languages = translations_;
  languages.push_back("English");
  for (const std::string& name : languages) {
    FileContents file;
    file.state = FileState::kRead;
    file.bytes = ReadFile(SourceRoot() / "res" / "Lang" / (name + ".ini"));
    std::map<std::string, std::string> texts = TextsByKey(file.bytes);
    int written = GuessAnsiCodePage(file.bytes);
    if (written == kPlainAscii) written = kWesternEuropean;
    EXPECT_EQ(std::to_string(written), texts[kCodePageKey]) << name;
    std::string own = texts[kOwnNameKey];
    EXPECT_FALSE(own.empty()) << name;
    EXPECT_EQ(own, ShownLanguageName(file, name, written)) << name;
    unsigned elsewhere = written == kJapanese ? kCyrillic : kJapanese;
    EXPECT_EQ(name, ShownLanguageName(file, name, elsewhere)) << name;
  }
  std::map<std::string, std::string> russian = TextsByKey(
      ReadFile(SourceRoot() / "res" / "Lang" / "Russkiy.ini"));
  EXPECT_EQ("\xD0\xF3\xF1\xF1\xEA\xE8\xE9", russian[kOwnNameKey]);
  std::map<std::string, std::string> japanese = TextsByKey(
      ReadFile(SourceRoot() / "res" / "Lang" / "Nihongo.ini"));
  EXPECT_EQ("\x93\xFA\x96\x7B\x8C\xEA", japanese[kOwnNameKey]);
}

TEST_F(ShippedTranslationsTest, EveryLanguageHasASixteenBySixteenFlag) {
  std::vector<std::string> languages = translations_;
  languages.push_back("English");
  for (const std::string& name : languages) {
    std::string flag = ReadFile(SourceRoot() / "res" / "Lang" / (name + ".bmp"));
    ASSERT_LE(26u, flag.size()) << name << ".bmp missing or short";
    EXPECT_EQ("BM", flag.substr(0, 2)) << name;
    EXPECT_EQ(16u, LittleEndian(flag, 18)) << name << " width";
    uint32_t height = LittleEndian(flag, 22);
    EXPECT_TRUE(height == 16u || height == 0u - 16u) << name << " height";
  }
}

}  // namespace
}  // namespace velo
