// A test of the setup program under test on this machine: what the test
// script says of the run, and a machine without Velocine before and after.
#pragma once

#include <gtest/gtest.h>

#include <string>

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
