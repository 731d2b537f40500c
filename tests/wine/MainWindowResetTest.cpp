// Reset from the main window, on the real registry: the backup goes back,
// the user is told the truth, and the button follows the backup.
#include <windows.h>

#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "RegistryInUse.h"
#include "Screenshot.h"
#include "app/ThisAccount.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupHolder.h"
#include "support/FaultInjectingRegistry.h"
#include "support/KeptSettings.h"
#include "support/RecordingSkin.h"
#include "support/RegistryEdit.h"
#include "support/StoreCycle.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

class MainWindowReset : public ::testing::Test {
 protected:
  void SetUp() override { App().m_nWindowsFamily = kFamilyNT; }

  // Runs the main window, presses Reset, answers the message and closes.
  // Returns the message and whether Reset was enabled before and after.
  std::string PressReset(bool* enabledBefore, bool* enabledAfter,
                         std::function<void()> beforeReset = [] {},
                         const char* picture = nullptr) {
    RecordingSkin recorder;
    CTunerDlg main(&recorder, &recorder);
    App().m_pMainDlg = &main;
    std::string message;
    {
      ModalDriver driver([&](HWND window) {
        if (TextOf(window) == "Alert") {
          message = TextOf(GetDlgItem(window, IDC_ALERT_TEXT));
          if (picture) SaveScreenshot(window, picture);
          ClickButton(window, IDOK);
          return;
        }
        *enabledBefore = IsWindowEnabled(GetDlgItem(window, IDC_MAIN_RESET));
        beforeReset();
        ClickButton(window, IDC_MAIN_RESET);
        *enabledAfter = IsWindowEnabled(GetDlgItem(window, IDC_MAIN_RESET));
        PostMessageA(window, WM_CLOSE, 0, 0);
      });
      main.DoModal(nullptr);
    }
    App().m_pMainDlg = nullptr;
    return message;
  }

  Win32Registry registry_;
  KeptSettings kept_{registry_, kFamilyNT};
};

TEST_F(MainWindowReset, PutsTheBackupBackAndAnnouncesIt) {
  StoreScenario scenario = SeedStoreScenario(registry_, kFamilyNT, 7);
  RegistrySnapshot before = kept_.Settings();
  ASSERT_TRUE(TakeBackup(registry_, kFamilyNT).Succeeded());
  ASSERT_EQ(kRegOk, NoteBackupHolder(registry_, ThisAccountNow()));
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, scenario.record, 0).Succeeded());

  bool enabledBefore = false, enabledAfter = true;
  std::string message =
      PressReset(&enabledBefore, &enabledAfter, [] {}, "alert-reset-done");
  EXPECT_TRUE(enabledBefore);
  EXPECT_EQ("Velocine has reset your system to the backup settings.\n"
            "Please, restart your computer in order to feel the change.",
            message);
  EXPECT_FALSE(enabledAfter);
  EXPECT_FALSE(KeyExists(registry_, kBackupKeyName));
  BackupHolder holder;
  EXPECT_EQ(kNoNote, ReadBackupHolder(registry_, "", &holder))
      << "the note goes with the backup";
  IntendedDifferences made;
  RegistrySnapshot expected = ExpectedAfterRestore(before, scenario, &made);
  EXPECT_EQ(std::vector<std::string>(),
            expected.Differences(kept_.Settings()));
}

TEST_F(MainWindowReset, WithoutABackupSaysItFailedAndDisablesTheButton) {
  MakeKey(registry_, kBackupKeyName);
  bool enabledBefore = false, enabledAfter = true;
  // The backup disappears while the window is open.
  std::string message = PressReset(&enabledBefore, &enabledAfter,
                                   [&] {
                                     RemoveKey(registry_, kBackupKeyName);
                                   });
  EXPECT_TRUE(enabledBefore);
  EXPECT_EQ("Failed to reset your connection settings.", message);
  EXPECT_FALSE(enabledAfter);
}

TEST_F(MainWindowReset, ThatCannotPutEverythingBackKeepsTheBackupAndSaysSo) {
  SeedStoreScenario(registry_, kFamilyNT, 11);
  SettingsRecord record;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(registry_, kFamilyNT, record, found).Succeeded());
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, record, 0).Succeeded());
  // As for a user without administrator rights.
  FaultInjectingRegistry denied(registry_);
  denied.DenyLocalMachineWrites();
  bool enabledBefore = false, enabledAfter = false;
  std::string message;
  {
    RegistryInUse user(denied);
    message = PressReset(&enabledBefore, &enabledAfter);
  }
  EXPECT_EQ("Failed to reset your connection settings.", message);
  EXPECT_TRUE(enabledAfter) << "the backup is still there to try again";
  EXPECT_TRUE(KeyExists(registry_, kBackupKeyName));
}

}  // namespace
}  // namespace velo
