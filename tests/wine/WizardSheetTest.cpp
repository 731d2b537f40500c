// The wizard sheet with the main window for real: its button texts from the
// language file, the Reset button it enables when it goes, and the Set button
// that runs a fresh sheet each time.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AnsweredColours.h"
#include "RegistryInUse.h"
#include "ModalDriver.h"
#include "TempFolder.h"
#include "WizardDriver.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "support/FaultInjectingRegistry.h"
#include "support/KeptSettings.h"
#include "support/RecordingSkin.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

// A main window of its own, modeless, with a skin that only records.
class WithMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.MakeFolder("Lang").empty());
    folder_.Write("Lang\\Deutsch.ini",
                  "[Lanvora]\nID_WIZNEXT=&Weiter >\n21=Schritt 1 von 8\n"
                  "IDC_step2_RADIO_DSL=D*S*L\nIDFINISH=Fertig\n");
    App().m_szAppPath = folder_.Path();
    App().m_szLanguage = "Deutsch";
    main_.CreateModeless(nullptr);
    App().m_pMainDlg = &main_;
  }
  void TearDown() override {
    App().m_pMainDlg = nullptr;
    DestroyWindow(main_.Hwnd());
    App().m_szAppPath.clear();
    App().m_szLanguage.clear();
  }

  TempFolder folder_{"velocine-wizard"};
  RecordingSkin recorder_;
  CTunerDlg main_{&recorder_, &recorder_};
};

TEST_F(WithMainWindow, TextsComeFromTheLanguageFileButFinishKeepsItsOwn) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  HWND sheet = wizard.Sheet().Hwnd();
  EXPECT_EQ("&Weiter >", TextOf(GetDlgItem(sheet, kWizardNext)));
  EXPECT_EQ("< &Back", TextOf(GetDlgItem(sheet, kWizardBack)));
  EXPECT_EQ("Cancel", TextOf(GetDlgItem(sheet, IDCANCEL)));
  EXPECT_NE("Fertig", TextOf(GetDlgItem(sheet, kWizardFinish)));
  EXPECT_EQ("Schritt 1 von 8", wizard.Caption());
  EXPECT_EQ("D\nS\nL", wizard.Text(IDC_CONNECTION_DSL));
  EXPECT_EQ("&Cable Modem.", wizard.Text(IDC_CONNECTION_CABLE_MODEM));
}

TEST_F(WithMainWindow, CancelOnStepOneLeavesABackupAndEnablesReset) {
  {
    WizardDriver wizard(kFamilyNT);
    Put(App().registry(), kTcpipKeyName, "DefaultTTL", RegValue::Dword(99));
    main_.EnableReset(false);
    wizard.Open();
    wizard.Cancel();
    EXPECT_FALSE(main_.IsResetEnabled()) << "until the sheet's window goes";
    DestroyWindow(wizard.Sheet().Hwnd());
    EXPECT_TRUE(main_.IsResetEnabled());
    EXPECT_TRUE(KeyExists(App().registry(), kBackupKeyName));
    RegValue ttl;
    ASSERT_TRUE(Get(App().registry(), kTcpipKeyName, "DefaultTTL", &ttl));
    EXPECT_EQ(RegValue::Dword(99), ttl) << "nothing written";
    EXPECT_TRUE(wizard.messages.empty());
  }
}

// Reset follows the backup key when the sheet closes: a backup that could not
// be taken whole replaces nothing, so without an earlier one Reset stays off.
TEST_F(WithMainWindow, ABackupThatFailedLeavesResetOffWhenThereWasNone) {
  WizardDriver wizard(kFamilyNT);
  Registry& real = App().registry();
  RemoveKey(real, kBackupKeyName);
  FaultInjectingRegistry failing(real);
  failing.FailOnce(kCallCreateKey, 0);
  {
    RegistryInUse failingOnce(failing);
    main_.EnableReset(true);
    wizard.Open();
    wizard.Cancel();
    DestroyWindow(wizard.Sheet().Hwnd());
  }
  EXPECT_EQ(1u, failing.Injected());
  EXPECT_FALSE(main_.IsResetEnabled());
  EXPECT_FALSE(KeyExists(real, kBackupKeyName));
}

// The main window run modally as the program runs it, Set pressed twice.
TEST(SetButton, RunsAFreshSheetEachTimeAndAsksOnceABackupExists) {
  KeptSettings kept(App().registry(), kFamilyNT);
  App().m_nWindowsFamily = kFamilyNT;
  App().registry().DeleteTree(kHkeyCurrentUser,
                              std::string(kBackupKeyName).substr(5));
  RecordingSkin recorder;
  std::unique_ptr<CTunerDlg> main(new CTunerDlg(&recorder, &recorder));
  App().m_pMainDlg = main.get();

  std::vector<std::string> seen;
  std::vector<CMyPropertySheet*> sheets;
  bool resetAfterFirstRun = false;
  ModalDriver driver([&](HWND window) {
    std::string caption = TextOf(window);
    seen.push_back(caption);
    if (window == main->Hwnd()) {
      ClickButton(window, IDC_MAIN_SET);
      sheets.push_back(g_pWizardSheet);
      resetAfterFirstRun = main->IsResetEnabled();
      // As a window that looked before another copy took a backup shows it:
      // the question follows the backup key, not the button.
      main->EnableReset(false);
      ClickButton(window, IDC_MAIN_SET);
      sheets.push_back(g_pWizardSheet);
      PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (caption == "Alert") {
      ClickButton(window, IDC_ALERT_YES);
    } else {
      PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }
  });
  main->DoModal(nullptr);
  App().m_pMainDlg = nullptr;

  ASSERT_EQ(4u, seen.size());
  EXPECT_EQ("Step 1 of 8 : Choose Connection Type", seen[1])
      << "no question before the first run";
  EXPECT_EQ("Alert", seen[2]) << "a backup exists now";
  EXPECT_EQ("Step 1 of 8 : Choose Connection Type", seen[3]);
  EXPECT_TRUE(resetAfterFirstRun);
  ASSERT_EQ(2u, sheets.size());
  EXPECT_NE(nullptr, sheets[0]);
  EXPECT_NE(sheets[0], sheets[1]);
  EXPECT_EQ(sheets[1], g_pWizardSheet) << "the latest sheet outlives its run";
  main.reset();
  EXPECT_EQ(nullptr, g_pWizardSheet) << "and goes with the main window";
}

// A backup that cannot be opened may hold the originals: Set says it can
// change nothing and opens no wizard, which would take a new backup of the
// tuned values in their place.
TEST(SetButton, ABackupThatCannotBeOpenedIsNotReplaced) {
  KeptSettings kept(App().registry(), kFamilyNT);
  App().m_nWindowsFamily = kFamilyNT;
  Put(App().registry(), kBackupKeyName, "DefaultTTL", RegValue::Dword(99));
  for (RegStatus status : {kRegAccessDenied, RegStatus(1450)}) {
    FaultInjectingRegistry failing(App().registry());
    failing.FailOpensOf(kBackupKeyName, status);
    RegistryInUse cannotTell(failing);
    RecordingSkin recorder;
    std::unique_ptr<CTunerDlg> main(new CTunerDlg(&recorder, &recorder));
    App().m_pMainDlg = main.get();
    std::vector<std::string> seen;
    bool resetEnabled = false;
    ModalDriver driver([&](HWND window) {
      seen.push_back(TextOf(window));
      if (window == main->Hwnd()) {
        ClickButton(window, IDC_MAIN_SET);
        resetEnabled = main->IsResetEnabled();
        PostMessageA(window, WM_CLOSE, 0, 0);
      } else if (seen.back() == "Alert") {
        seen.back() = TextOf(GetDlgItem(window, IDC_ALERT_TEXT));
        ClickButton(window, IDOK);
      } else {
        PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      }
    });
    main->DoModal(nullptr);
    App().m_pMainDlg = nullptr;
    ASSERT_EQ(2u, seen.size()) << status;
    EXPECT_EQ(0u, seen[1].find("Velocine could not save a backup")) << seen[1];
    EXPECT_TRUE(resetEnabled) << "Reset may still put the backup back";
  }
  RegValue kept99;
  ASSERT_TRUE(Get(App().registry(), kBackupKeyName, "DefaultTTL", &kept99));
  EXPECT_EQ(RegValue::Dword(99), kept99);
  RemoveKey(App().registry(), kBackupKeyName);
}

TEST(WizardSheetColours, TheFrameAroundThePageAndItsButtonsAreTheDialogsColours) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  HWND sheet = wizard.Sheet().Hwnd();
  for (const auto& asked : {std::make_pair(WM_CTLCOLORDLG, sheet),
                            std::make_pair(WM_CTLCOLORBTN, GetDlgItem(sheet, kWizardNext))}) {
    AnsweredColours colours =
        ColoursAnswered(sheet, asked.first, asked.second);
    EXPECT_EQ(RGB(229, 229, 229), colours.background) << asked.first;
    EXPECT_EQ(RGB(0, 0, 0), colours.text) << asked.first;
  }
}

}  // namespace
}  // namespace velo
