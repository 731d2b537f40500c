// The INI reader against the system's own GetPrivateProfileStringA, on the
// same files: ordinary and awkward ones written by hand, and many made of
// random pieces. The system caches a parsed file for a while, so every file
// has a name of its own, and every path is full.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "lang/IniFile.h"
#include "lang/Win32LanguagePlatform.h"

namespace velo {
namespace {

struct Query {
  std::string section;
  std::string key;
  std::string fallback;
  size_t size;
};

// The names the corpus files use, each in several spellings, and some that
// none of them has.
const char* const kSections[] = {"s", "S", " s\t", "t", "", "Sec A", "x"};
const char* const kKeys[] = {"k", "K", " k ", "j", "", ";c", "[t", "x"};

std::vector<Query> Battery(const std::vector<std::pair<std::string, size_t>>&
                               fallbacksAndSizes) {
  std::vector<Query> queries;
  for (const char* section : kSections)
    for (const char* key : kKeys)
      for (const auto& fallbackAndSize : fallbacksAndSizes)
        queries.push_back(Query{section, key, fallbackAndSize.first,
                                fallbackAndSize.second});
  return queries;
}

// Every (section, key) with ordinary and awkward defaults and buffers.
const std::vector<Query>& FullBattery() {
  static const std::vector<Query> battery = Battery({{"dflt", 2000},
                                                     {"dflt", 3},
                                                     {"dflt", 1},
                                                     {"'q q'", 2000},
                                                     {"\"qq\"  ", 3}});
  return battery;
}

// A literal's bytes, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02x", c);
      out += hex;
    }
  }
  return out;
}

std::string SystemString(const std::string& path, const Query& query) {
  std::vector<char> buffer(query.size + 1, '\x7f');
  DWORD length = GetPrivateProfileStringA(
      query.section.c_str(), query.key.c_str(), query.fallback.c_str(),
      buffer.data(), static_cast<DWORD>(query.size), path.c_str());
  return std::string(buffer.data(), length);
}

class IniDifferential : public ::testing::Test {
 protected:
  // Compares every query on `path`; returns the number of differences and
  // reports the first few.
  int Compare(const std::string& path, const std::string& bytes,
              const std::vector<Query>& queries) {
    IniFile mine(platform_.ReadWholeFile(path));
    int differences = 0;
    for (const Query& query : queries) {
      std::string expected = SystemString(path, query);
      std::string actual = mine.GetString(query.section, query.key,
                                          query.fallback, query.size);
      if (expected == actual) continue;
      if (++reported_ <= 20)
        ADD_FAILURE() << "file \"" << Escaped(bytes) << "\" [" << query.section
                      << "] " << query.key << " default \"" << query.fallback
                      << "\" size " << query.size << ": system \""
                      << Escaped(expected) << "\", ours \"" << Escaped(actual)
                      << "\"";
      ++differences;
    }
    return differences;
  }

  int CompareFile(const std::string& bytes, const std::vector<Query>& queries) {
    std::string path = folder_.Write("case" + std::to_string(files_++) + ".ini",
                                     bytes);
    EXPECT_FALSE(path.empty());
    return Compare(path, bytes, queries);
  }

  TempFolder folder_{"VelocineIni"};
  Win32LanguagePlatform platform_;
  int files_ = 0;
  int reported_ = 0;
};

TEST_F(IniDifferential, HandWrittenFiles) {
  ASSERT_FALSE(folder_.Path().empty());
  const std::string longValue(70000, 'v');
  const std::string longKey(3000, 'L');
  const std::vector<std::string> corpus = {
      "[s]\r\nk=value\r\nj=other\r\n",
      // blanks around lines, names and "="
      "  [ s ]  \n \t k \t=\t v a l \t\n\x1aj\x0b=\x0cw\x1a\n",
      "[s]\n\x1ak\x1a=\x1av\x1a\n\x0ej=\x0e\n",
      // quotes
      "[s]\nk=\"quoted\"\nj='single'\n",
      "[s]\nk=\"mismatched'\nj='\n",
      "[s]\nk=\"\"\nj=\" spaced \"\n",
      "[s]\nk=a\"\nj=''''\n",
      // comments
      "; top comment\n[s]\n;k=commented\n;c=semi\nk=real ; tail\n# j=hash\n",
      // the first key and section of a name win
      "[s]\nk=first\nK=second\nk=third\n",
      "[s]\nj=1\n[t]\nk=t\n[S]\nk=second section\nj=2\n",
      "[s]\nk\nk=after\nj \n",
      // line ends
      "[s]\nk=last",
      "[s]\r\nk=a\rj=b\r\n\r\n",
      "\n\r\n \t\n",
      "",
      // empty values and odd "=" signs
      "[s]\nk=\nj=   \n",
      "[s]\nk = a = b\n=orphan\n = \nj==\n",
      // section headers
      "[Sec A]\nk=spaced\n[ t ]\nk=t\n",
      "[S]\nK=upper\n[s]\nk=lower\n",
      "k=top\nj=top j\n[s]\nk=in s\n",
      "[s] trailing\nk=1\n[t\nj=2\n[a]b]\nk=3\n[]\nk=4\n",
      "[s]\n[t=v\n",
      // NUL bytes
      Bytes("[s]\nk\0x=ab\0cd\nj=\0\n"),
      Bytes("[s\0t]\nk=v\n[t]\nj\0=w\n"),
      // bytes above 0x7f, which a single-byte code page keeps as they are
      "[s]\nk=caf\xe9 \xfc\xdf \x81\x8d\x90 \xa0\n[\xc4]\nk=\xe4\n",
      // very long lines
      "[s]\n" + longKey + "=" + longValue + "\nk=" + longValue + "\nj=end",
  };
  int differences = 0;
  for (const std::string& bytes : corpus)
    differences += CompareFile(bytes, FullBattery());
  EXPECT_EQ(0, differences);
}

TEST_F(IniDifferential, SmallBuffersAroundQuotedAndLongValues) {
  ASSERT_FALSE(folder_.Path().empty());
  std::string longValue(70000, 'v');
  std::string bytes = "[s]\nk=\"abcdef\"\nj='a'\nx=" + longValue + "\n";
  std::vector<Query> queries;
  for (size_t size = 0; size <= 10; ++size)
    for (const char* key : {"k", "j", "x"})
      queries.push_back(Query{"s", key, "dflt", size});
  for (size_t size : {1999u, 2000u, 65535u, 69999u, 70000u, 70001u, 90000u})
    queries.push_back(Query{"s", "x", "dflt", size});
  EXPECT_EQ(0, CompareFile(bytes, queries));
}

TEST_F(IniDifferential, FilesThatCannotBeRead) {
  ASSERT_FALSE(folder_.Path().empty());
  ASSERT_FALSE(folder_.MakeFolder("folder.ini").empty());
  const std::vector<std::string> paths = {
      folder_.Path() + "\\absent.ini",          // no such file
      folder_.Path() + "\\absent\\absent.ini",  // no such folder
      folder_.Path() + "\\folder.ini",          // a folder, not a file
  };
  int differences = 0;
  for (const std::string& path : paths)
    differences += Compare(path, "(" + path + ")", FullBattery());
  EXPECT_EQ(0, differences);
}

TEST_F(IniDifferential, FilesOfRandomPieces) {
  ASSERT_FALSE(folder_.Path().empty());
  const std::vector<std::string> pieces = {
      "[", "]", "=", " ", "\t", "\r", "\n", "\r\n", "\"", "'", ";", "s", "S",
      "t", "k", "K", "j", "x", "\x1a", std::string(1, '\0'), "[s]", "[t]",
      "k=", "j=", " = ", "\n[s]\n", "\nk=", "Sec A"};
  const std::vector<Query> queries = Battery({{"dflt", 2000}, {"\"dq\"", 4}});
  std::mt19937 random(20240611);
  int differences = 0;
  for (int file = 0; file < 300; ++file) {
    std::string bytes;
    int count = static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) bytes += pieces[random() % pieces.size()];
    differences += CompareFile(bytes, queries);
  }
  EXPECT_EQ(0, differences);
}

}  // namespace
}  // namespace velo
