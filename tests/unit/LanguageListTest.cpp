#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/LanguageFiles.h"
#include "lang/LanguageList.h"

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

TEST(LanguageFiles, NamesAndPaths) {
  EXPECT_EQ("Deutsch", LanguageName("Deutsch.ini"));
  EXPECT_EQ("x.y", LanguageName("x.y.INI"));
  EXPECT_EQ("", LanguageName("ini"));
  EXPECT_EQ("C:\\V\\Lang\\Deutsch.bmp",
            LanguageFilePath("C:\\V", "Deutsch", ".bmp"));
  EXPECT_EQ("\\Lang\\*.ini", LanguageFilePath("", "*", ".ini"));
}

}  // namespace
}  // namespace velo
