#include <gtest/gtest.h>

#include <string>

#include "app/AppSettings.h"
#include "lang/LanguagePlatform.h"
#include "registry/MemoryRegistry.h"
#include "registry/RegKey.h"

namespace velo {
namespace {

class AppSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(kRegOk, key_.Create(kHkeyCurrentUser, "Software\\Velocine",
                                  kAccessReadWrite));
  }
  void Set(const char* name, RegType type, const std::string& bytes) {
    RegValue value;
    value.type = type;
    value.data.assign(bytes.begin(), bytes.end());
    ASSERT_EQ(kRegOk, key_.Write(name, value));
  }

  MemoryRegistry registry_;
  RegKey key_{registry_};
};

TEST_F(AppSettingsTest, ReadsBothValues) {
  Set("AppPath", kRegSz, std::string("C:\\Velo\0", 8));
  Set("Language", kRegSz, std::string("Deutsch\0", 8));
  AppSettings settings = ReadAppSettings(registry_);
  EXPECT_EQ("C:\\Velo", settings.appPath);
  EXPECT_EQ("Deutsch", settings.language);
  EXPECT_EQ(1u, registry_.OpenHandleCount());  // only the test's own key
}

TEST_F(AppSettingsTest, MissingKeyOrValueLeavesTheTextEmpty) {
  Set("Language", kRegSz, std::string("Deutsch\0", 8));
  AppSettings settings = ReadAppSettings(registry_);
  EXPECT_EQ("", settings.appPath);
  EXPECT_EQ("Deutsch", settings.language);
  key_.Close();
  ASSERT_EQ(kRegOk, registry_.DeleteTree(kHkeyCurrentUser, "Software\\Velocine"));
  settings = ReadAppSettings(registry_);
  EXPECT_EQ("", settings.appPath);
  EXPECT_EQ("", settings.language);
}

TEST_F(AppSettingsTest, TextMustFitIn260BytesWithItsNul) {
  std::string longest(259, 'p');
  Set("AppPath", kRegSz, longest + '\0');
  EXPECT_EQ(longest, ReadAppSettings(registry_).appPath);
  Set("AppPath", kRegSz, longest + 'p');  // 260 bytes, no room for a NUL
  EXPECT_EQ("", ReadAppSettings(registry_).appPath);
  Set("AppPath", kRegSz, longest + "pp");
  EXPECT_EQ("", ReadAppSettings(registry_).appPath);
  // Too long to read at all, even though the text itself is short.
  Set("AppPath", kRegSz, std::string("C:\\\0", 4) + std::string(300, 'x'));
  EXPECT_EQ("", ReadAppSettings(registry_).appPath);
}

TEST_F(AppSettingsTest, TypeIsIgnoredAndAMissingNulIsSafe) {
  Set("AppPath", kRegBinary, "C:\\Velo");
  Set("Language", kRegSz, "Deutsch");
  AppSettings settings = ReadAppSettings(registry_);
  EXPECT_EQ("C:\\Velo", settings.appPath);
  EXPECT_EQ("Deutsch", settings.language);
  Set("Language", kRegDword, std::string("AB\0\0", 4));
  EXPECT_EQ("AB", ReadAppSettings(registry_).language);
  Set("Language", kRegSz, "");
  EXPECT_EQ("", ReadAppSettings(registry_).language);
}

TEST_F(AppSettingsTest, SaveLanguageWritesTextWithItsNul) {
  EXPECT_TRUE(SaveLanguage(registry_, "Deutsch"));
  RegValue stored;
  ASSERT_EQ(kRegOk, key_.Read("Language", &stored));
  EXPECT_EQ(RegValue::Text("Deutsch"), stored);
  EXPECT_EQ("Deutsch", ReadAppSettings(registry_).language);
}

TEST_F(AppSettingsTest, SaveLanguageDoesNotCreateTheKey) {
  key_.Close();
  ASSERT_EQ(kRegOk, registry_.DeleteTree(kHkeyCurrentUser, "Software\\Velocine"));
  EXPECT_FALSE(SaveLanguage(registry_, "Deutsch"));
  EXPECT_EQ(kRegNotFound,
            key_.Open(kHkeyCurrentUser, "Software\\Velocine", kAccessRead));
}

// Shift-JIS's lead bytes; no files.
class ShiftJisPlatform : public LanguagePlatform {
 public:
  FileContents ReadWholeFile(const std::string&) const override {
    return FileContents();
  }
  unsigned AnsiCodePage() const override { return 932; }
  bool IsLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
  }
};

TEST(LanguageHome, AppPathFirstElseTheProgramsOwnFolder) {
  ShiftJisPlatform platform;
  AppSettings installed;
  installed.appPath = "C:\\Program Files\\Velocine";
  EXPECT_EQ("C:\\Program Files\\Velocine",
            LanguageHome(installed, "D:\\Copy\\Velocine.exe", platform));
  AppSettings otherUser;
  EXPECT_EQ("D:\\Copy", LanguageHome(otherUser, "D:\\Copy\\Velocine.exe", platform));
  EXPECT_EQ("C:", LanguageHome(otherUser, "C:\\Velocine.exe", platform));
  EXPECT_EQ("", LanguageHome(otherUser, "Velocine.exe", platform));
  EXPECT_EQ("", LanguageHome(otherUser, "", platform));
  // "\x83\x5C" is one character whose second byte is a backslash.
  EXPECT_EQ("C:\\\x83\x5C", LanguageHome(otherUser, "C:\\\x83\x5C\\Velocine.exe", platform));
  EXPECT_EQ("C:\\Tools", LanguageHome(otherUser, "C:\\Tools\\\x83\x5C.exe", platform));
}

}  // namespace
}  // namespace velo
