// A test of the setup program under test on this machine: what the test
// script says of the run, and a machine without Velocine before and after.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SetupUnderTest.h"

namespace velo {

// Where the program's folder and language are kept for it.
const char kSettingsKey[] = "Software\\Velocine";

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(setup_.empty()) << "VELO_SETUP is not set";
    RemoveInstallation(folder_);
  }
  void TearDown() override { RemoveInstallation(folder_); }

  // Runs setup silently with `arguments`; its exit code.
  DWORD Install(const std::string& arguments = "") {
    DWORD exitCode = 0xDEAD;
    EXPECT_TRUE(RunAndWait("\"" + setup_ + "\" /S" + arguments, &exitCode));
    return exitCode;
  }

  // The name the language lists show for the language this run expects:
  // the one its file gives itself, as each run's language is written in
  // the run's code page.
  std::string ExpectedLanguageShown() const {
    return LanguageFileSays(EnvironmentText("VELO_LANG_SOURCE") + "\\" +
                                expectedLanguage_ + ".ini",
                            "Name");
  }

  // The languages Velocine can draw on this Windows, and so the ones setup
  // and Velocine offer: those written in its code page, and English, whose
  // plain ASCII reads the same in every one.
  static std::vector<std::string> OfferedLanguages() {
    switch (GetACP()) {
      case 1252:
        return {"English", "Deutsch", "Francais", "Espanol", "Italiano",
                "Portugues (Brasil)"};
      case 1251:
        return {"English", "Russkiy"};
      case 932:
        return {"English", "Nihongo"};
      default:
        return {"English"};
    }
  }

  // What the language lists show for each language offered: the name its
  // file gives itself where this Windows's code page is the file's, its
  // file name elsewhere.
  std::vector<std::string> OfferedLanguagesShown() const {
    std::vector<std::string> shown;
    for (const std::string& name : OfferedLanguages()) {
      std::string path = EnvironmentText("VELO_LANG_SOURCE") + "\\" + name + ".ini";
      shown.push_back(LanguageFileSays(path, "CodePage") == std::to_string(GetACP())
                          ? LanguageFileSays(path, "Name")
                          : name);
    }
    return shown;
  }

  // What setup shows for `key` (see SetupText) in `language`, by default
  // the one this run's setup speaks.
  std::string Shown(const std::string& key,
                    const std::string& language = "") const {
    std::string text =
        SetupText(EnvironmentText("VELO_SETUP_TEXTS"),
                  EnvironmentText("VELO_NSIS_TEXTS"),
                  language.empty() ? setupLanguage_ : language, key);
    EXPECT_FALSE(text.empty()) << key << " not found";
    return text.empty() ? "(" + key + " not found)" : text;
  }

  std::string setup_ = EnvironmentText("VELO_SETUP");
  // The language setup's own pages speak in this run (NSIS's name).
  std::string setupLanguage_ = EnvironmentText("VELO_SETUP_LANGUAGE");
  std::string expectedLanguage_ = EnvironmentText("VELO_EXPECTED_LANGUAGE");
  std::string version_ = EnvironmentText("VELO_SETUP_VERSION");
  // Names this run's pictures: version and locale.
  std::string run_ = EnvironmentText("VELO_SETUP_RUN");
  std::string folder_ = DefaultFolder();
};

}  // namespace velo
