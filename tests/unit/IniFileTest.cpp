// The INI reader against what the system's reader does with the same bytes
// (tests/wine/IniDifferentialTest.cpp checks it against the real one).
#include <gtest/gtest.h>

#include <string>

#include "lang/IniFile.h"

namespace velo {
namespace {

FileContents Text(const std::string& bytes) {
  FileContents file;
  file.state = FileState::kRead;
  file.bytes = bytes;
  return file;
}

std::string Get(const std::string& bytes, const std::string& section,
                const std::string& key, size_t size = 2000) {
  return IniFile(Text(bytes)).GetString(section, key, "dflt", size);
}

TEST(IniFile, BlanksAroundLinesAndEqualsSignGo) {
  EXPECT_EQ("v a l", Get("[s]\n \t k \x1a= \x0b v a l \t\x1a\n", "s", "k"));
  EXPECT_EQ("v", Get("[s]\r\nk=v\r\nj=w\r\n", "s", "k"));
  EXPECT_EQ("w", Get("[s]\rk=v\rj=w", "s", "j"));  // a lone CR ends a line
  EXPECT_EQ("w", Get("[s]\n\n  \n\tj=w", "s", "j"));  // no final newline
  EXPECT_EQ("v", Get("[s]\nk=v", " \ts ", "\tk "));  // the query is trimmed
}

TEST(IniFile, SectionNameRunsToTheLastBracketAndLosesItsBlanks) {
  EXPECT_EQ("v", Get("[ a]b ] tail\nk=v\n", "a]b", "k"));
  EXPECT_EQ("v", Get("[Sec A]\nk=v\n", "sec a", "k"));
  // Without "]" the line is a key, so k stays in the section before it.
  EXPECT_EQ("v", Get("[s]\n[t\nk=v\n", "s", "k"));
  EXPECT_EQ("v", Get("[s]\n[t=v\n", "s", "[t"));
  EXPECT_EQ("top", Get("k=top\n[s]\nk=v\n", "", "k"));
}

TEST(IniFile, FirstSectionAndFirstKeyOfANameWin) {
  EXPECT_EQ("1", Get("[s]\nk=1\nK=2\n", "s", "k"));
  EXPECT_EQ("dflt", Get("[s]\nj=1\n[t]\n[S]\nk=2\n", "s", "k"));
  EXPECT_EQ("dflt", Get("[s]\nk\nk=2\n", "s", "k"));  // a key without "="
  EXPECT_EQ("", Get("[s]\nk=\nk=2\n", "s", "k"));     // an empty value
  EXPECT_EQ("a = b", Get("[s]\nk = a = b\n", "s", "k"));
  EXPECT_EQ("dflt", Get("[t]\nk=1\n", "s", "k"));
}

TEST(IniFile, SemicolonStartsNoComment) {
  EXPECT_EQ("dflt", Get("[s]\n;k=1\n", "s", "k"));
  EXPECT_EQ("1", Get("[s]\n;k=1\n", "s", ";k"));
  EXPECT_EQ("1 ; note", Get("[s]\nk=1 ; note\n", "s", "k"));
}

TEST(IniFile, MatchingQuotesAreRemoved) {
  EXPECT_EQ(" a ", Get("[s]\nk=\" a \"\n", "s", "k"));
  EXPECT_EQ("a", Get("[s]\nk='a'\n", "s", "k"));
  EXPECT_EQ("", Get("[s]\nk=\"\"\n", "s", "k"));
  EXPECT_EQ("\"a'", Get("[s]\nk=\"a'\n", "s", "k"));
  EXPECT_EQ("\"", Get("[s]\nk=\"\n", "s", "k"));
  EXPECT_EQ("a\"", Get("[s]\nk=a\"\n", "s", "k"));
}

TEST(IniFile, BufferKeepsSizeMinusOneCharacters) {
  EXPECT_EQ("abc", Get("[s]\nk=abcdef\n", "s", "k", 4));
  EXPECT_EQ("", Get("[s]\nk=abcdef\n", "s", "k", 1));
  EXPECT_EQ("", Get("[s]\nk=abcdef\n", "s", "k", 0));
  // A quoted text loses its last character when only the closing quote was
  // cut off, as the system's reader does.
  const std::string quoted = "[s]\nk=\"abcdef\"\n";
  EXPECT_EQ("abcdef", Get(quoted, "s", "k", 8));
  EXPECT_EQ("abcde", Get(quoted, "s", "k", 7));
  EXPECT_EQ("abcde", Get(quoted, "s", "k", 6));
  EXPECT_EQ("ab", Get(quoted, "s", "k", 3));
}

TEST(IniFile, LongLinesAreReadWhole) {
  std::string value(100000, 'x');
  std::string key(5000, 'K');
  std::string bytes = "[s]\n" + key + "=" + value + "\nk=v";
  EXPECT_EQ(value, Get(bytes, "s", key, value.size() + 1));
  EXPECT_EQ(value.substr(0, 1999), Get(bytes, "s", key));
  EXPECT_EQ("v", Get(bytes, "s", "k"));
}

TEST(IniFile, NulEndsANameOrValue) {
  EXPECT_EQ("ab", Get(std::string("[s]\nk\0x=ab\0cd\n", 14), "s", "k"));
  EXPECT_EQ("v", Get(std::string("[s\0t]\nk=v\n", 10), "s", "k"));
}

TEST(IniFile, DefaultLosesTrailingSpacesAndQuotes) {
  IniFile missing{FileContents()};
  EXPECT_EQ("a b", missing.GetString("s", "k", "a b  ", 2000));
  EXPECT_EQ(" ", missing.GetString("s", "k", "   ", 2000));
  EXPECT_EQ("a\t", missing.GetString("s", "k", "a\t", 2000));
  EXPECT_EQ("q", missing.GetString("s", "k", "'q'", 2000));
  EXPECT_EQ("ab", missing.GetString("s", "k", "abc", 3));
  EXPECT_EQ("q", IniFile(Text("")).GetString("s", "k", "\"q\"", 2000));
  EXPECT_EQ("q", IniFile(Text("[s]\nk\n")).GetString("s", "k", "'q'", 9));
}

TEST(IniFile, FileThatCannotBeOpenedGivesTheDefaultWithItsQuotes) {
  FileContents unopened;
  unopened.state = FileState::kNotOpened;
  unopened.bytes = "[s]\nk=v\n";  // ignored
  EXPECT_EQ("'q'", IniFile(unopened).GetString("s", "k", "'q'  ", 2000));
  EXPECT_EQ("'q", IniFile(unopened).GetString("s", "k", "'q'", 3));
}

}  // namespace
}  // namespace velo
