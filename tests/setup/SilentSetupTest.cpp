// Setup as an administrator deploys it: /S (and /D=) installs with the
// defaults and asks nothing; the uninstaller's /S takes it all away again
// except the user's backup of the original connection settings. The test
// script runs these in a fresh Wine prefix per Windows version, each under
// a locale whose language setup should preselect (VELO_EXPECTED_LANGUAGE).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "BoundedWait.h"
#include "ModalDriver.h"
#include "ProgramRun.h"
#include "RemoteComboBoxEx.h"
#include "Screenshot.h"
#include "SetupTest.h"
#include "SetupUnderTest.h"
#include "res/resource.h"
#include "store/RegistryLocations.h"

namespace velo {
namespace {

const char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velocine";

// Setup stops with this exit code when Velocine is running.
const DWORD kVelocineRunning = 3;

std::set<std::string> AsSet(const std::vector<std::string>& names) {
  return std::set<std::string>(names.begin(), names.end());
}

class SilentSetup : public SetupTest {
 protected:
  void SetUp() override {
    ASSERT_FALSE(sources_.empty()) << "VELO_LANG_SOURCE is not set";
    SetupTest::SetUp();
  }
  // Runs the uninstaller silently and waits until it has done its work: it
  // hands that to a copy of itself.
  bool Uninstall() {
    std::string uninstaller = folder_ + "\\Uninstall.exe";
    DWORD exitCode = 0xDEAD;
    return RunAndWaitForItsChildren("\"" + uninstaller + "\" /S", &exitCode) &&
           exitCode == 0 && !FileExists(uninstaller);
  }
  // A language file of the user's own in the installed Lang folder; its
  // path, or empty when it could not be made.
  std::string AddOwnLanguageFile(const std::string& name) {
    std::string path = folder_ + "\\Lang\\" + name + ".ini";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    CloseHandle(file);
    return path;
  }
  std::string Setting(const char* name, bool* found = nullptr) {
    return ReadValue(HKEY_CURRENT_USER, kSettingsKey, name, found);
  }

  std::string sources_ = EnvironmentText("VELO_LANG_SOURCE");
};

TEST_F(SilentSetup, InstallsTheProgramAndEveryLanguageFileWithItsFlag) {
  ASSERT_EQ(0u, Install());
  EXPECT_TRUE(FileExists(folder_ + "\\Velocine.exe"));
  EXPECT_TRUE(FileExists(folder_ + "\\Uninstall.exe"));
  std::vector<std::string> shipped = FilesIn(sources_, "*.*");
  ASSERT_LE(16u, shipped.size());  // eight languages, each with its flag
  EXPECT_EQ(AsSet(shipped), AsSet(FilesIn(folder_ + "\\Lang", "*.*")));
  for (const std::string& name : shipped)
    EXPECT_EQ(ReadWholeFile(sources_ + "\\" + name),
              ReadWholeFile(folder_ + "\\Lang\\" + name))
        << name;
}

TEST_F(SilentSetup, TellsTheProgramItsFolderAndTheSystemsLanguage) {
  ASSERT_EQ(0u, Install());
  EXPECT_EQ(folder_, Setting("AppPath"));
  EXPECT_EQ(expectedLanguage_, Setting("Language"));
}

TEST_F(SilentSetup, InstallsIntoTheFolderGivenWithD) {
  std::string chosen = folder_ + " Elsewhere";
  ASSERT_EQ(0u, Install(" /D=" + chosen));
  EXPECT_TRUE(FileExists(chosen + "\\Velocine.exe"));
  EXPECT_TRUE(FileExists(chosen + "\\Lang\\English.ini"));
  EXPECT_FALSE(FileExists(folder_));
  EXPECT_EQ(chosen, Setting("AppPath"));
  folder_ = chosen;  // for the uninstaller at the end
  EXPECT_TRUE(Uninstall());
  EXPECT_TRUE(WaitFor([&] { return !FileExists(chosen); }));
}

TEST_F(SilentSetup, AddsAStartMenuShortcutAndAnAddRemoveProgramsEntry) {
  ASSERT_EQ(0u, Install());
  EXPECT_TRUE(FileExists(StartMenuPrograms() + "\\Velocine\\Velocine.lnk"));
  EXPECT_EQ("Velocine",
            ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
  EXPECT_EQ("\"" + folder_ + "\\Uninstall.exe\"",
            ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
  EXPECT_EQ("\"" + folder_ + "\\Uninstall.exe\" /S",
            ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "QuietUninstallString"));
}

// The languages Velocine can draw on this Windows, each by the name its
// file gives itself where this Windows's code page is the file's (so
// Russian in Cyrillic under 1251, Japanese in kanji under 932), by its file
// name elsewhere; every other language file is installed but not offered.
TEST_F(SilentSetup, TheInstalledProgramListsEveryLanguageItCanDrawWithItsFlag) {
  ASSERT_EQ(0u, Install());
  SetEnvironmentVariableA("VELO_EXE", (folder_ + "\\Velocine.exe").c_str());
  {
    ProgramRun program(version_);
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForDialog("Velocine");
    ASSERT_NE(nullptr, main);
    HWND combo = GetDlgItem(main, IDC_MAIN_LANGUAGE);
    std::vector<RemoteComboItem> items = ReadComboBoxExItems(combo);
    std::vector<std::string> listed;
    for (const RemoteComboItem& item : items) {
      listed.push_back(item.text);
      EXPECT_LE(0, item.image) << item.text << " has no flag";
    }
    EXPECT_EQ(AsSet(OfferedLanguagesShown()), AsSet(listed));
    int selected = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    ASSERT_LE(0, selected);
    ASSERT_LT(selected, static_cast<int>(items.size()));
    EXPECT_EQ(ExpectedLanguageShown(), items[selected].text);
    SaveScreenshot(main, "setup-installed-main-" + run_);
  }
  SetEnvironmentVariableA("VELO_EXE", nullptr);
}

TEST_F(SilentSetup, UninstallRemovesEverythingItInstalledAndKeepsTheBackup) {
  ASSERT_EQ(0u, Install());
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kBackupKey, "DefaultTTL", "128"));
  ASSERT_TRUE(Uninstall());
  EXPECT_TRUE(WaitFor([&] { return !FileExists(folder_); }));
  EXPECT_FALSE(FileExists(StartMenuPrograms() + "\\Velocine"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  bool found = true;
  Setting("AppPath", &found);
  EXPECT_FALSE(found) << "AppPath";
  Setting("Language", &found);
  EXPECT_FALSE(found) << "Language";
  EXPECT_EQ("128", ReadValue(HKEY_CURRENT_USER, kBackupKey, "DefaultTTL"));
}

TEST_F(SilentSetup, UninstallWithoutABackupLeavesNoKeyOfOurs) {
  ASSERT_EQ(0u, Install());
  ASSERT_TRUE(Uninstall());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
}

TEST_F(SilentSetup, UninstallKeepsLanguageFilesTheUserAdded) {
  ASSERT_EQ(0u, Install());
  std::string own = AddOwnLanguageFile("Brezhoneg");
  ASSERT_FALSE(own.empty());
  ASSERT_TRUE(Uninstall());
  // The uninstaller tries to remove the Lang folder and its own after it
  // has deleted itself; while it does, the folder may not be listed.
  const std::vector<std::string> kept{"Brezhoneg.ini"};
  std::vector<std::string> left;
  WaitFor([&] {
    left = FilesIn(folder_ + "\\Lang", "*.*");
    return left == kept;
  });
  EXPECT_EQ(kept, left);
  EXPECT_FALSE(FileExists(folder_ + "\\Velocine.exe"));
}

TEST_F(SilentSetup, InstallingAgainKeepsTheLanguageChosenSince) {
  ASSERT_EQ(0u, Install());
  // One this Windows draws, other than the one setup would choose.
  std::string chosen = OfferedLanguages().back();
  if (chosen == expectedLanguage_) chosen = OfferedLanguages().front();
  std::string spelled = chosen;
  for (char& c : spelled) c = static_cast<char>(tolower(c));
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kSettingsKey, "Language", spelled));
  ASSERT_EQ(0u, Install());
  EXPECT_EQ(chosen, Setting("Language"));
  EXPECT_EQ(folder_, Setting("AppPath"));
}

// A language chosen before that this Windows cannot draw (Velocine shows
// English while it stays chosen): installing records one it can.
TEST_F(SilentSetup, InstallingAgainReplacesALanguageThisWindowsCannotDraw) {
  for (const char* undrawable : {"Russkiy", "Nihongo", "Francais"}) {
    std::vector<std::string> offered = OfferedLanguages();
    if (std::find(offered.begin(), offered.end(), undrawable) != offered.end())
      continue;
    ASSERT_TRUE(
        WriteValue(HKEY_CURRENT_USER, kSettingsKey, "Language", undrawable));
    ASSERT_EQ(0u, Install());
    EXPECT_EQ(expectedLanguage_, Setting("Language")) << undrawable;
  }
}

TEST_F(SilentSetup, InstallingAgainKeepsALanguageFileOfTheUsersOwn) {
  ASSERT_EQ(0u, Install());
  std::string own = AddOwnLanguageFile("Brezhoneg");
  ASSERT_FALSE(own.empty());
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kSettingsKey, "Language", "Brezhoneg"));
  ASSERT_EQ(0u, Install());
  EXPECT_EQ("Brezhoneg", Setting("Language"));
  EXPECT_TRUE(FileExists(own));
}

TEST_F(SilentSetup, InstallingAgainReplacesALanguageThatIsNotThere) {
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kSettingsKey, "Language", "Klingon"));
  ASSERT_EQ(0u, Install());
  EXPECT_EQ(expectedLanguage_, Setting("Language"));
}

TEST_F(SilentSetup, NeitherSetupNorUninstallChangesARunningVelocine) {
  ASSERT_EQ(0u, Install());
  SetEnvironmentVariableA("VELO_EXE", (folder_ + "\\Velocine.exe").c_str());
  {
    ProgramRun program(version_);
    ASSERT_NE(nullptr, program.WaitForDialog("Velocine"));
    EXPECT_EQ(kVelocineRunning, Install());
    // In place (_?=), so that the exit code is the uninstaller's own.
    DWORD exitCode = 0;
    ASSERT_TRUE(RunAndWait("\"" + folder_ + "\\Uninstall.exe\" /S _?=" + folder_,
                           &exitCode));
    EXPECT_EQ(kVelocineRunning, exitCode);
    EXPECT_TRUE(FileExists(folder_ + "\\Velocine.exe"));
    EXPECT_TRUE(FileExists(folder_ + "\\Lang\\English.ini"));
    EXPECT_EQ(folder_, Setting("AppPath"));
  }
  SetEnvironmentVariableA("VELO_EXE", nullptr);
}

}  // namespace
}  // namespace velo
