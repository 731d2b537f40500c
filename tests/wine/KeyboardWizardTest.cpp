// The whole program driven by the keyboard alone: real key events from the
// system's input queue (mnemonics, arrows, Tab, Space, Enter, Escape) take
// the user from Set through every step to Finish and the closing message,
// and back through Reset; Escape leaves the wizard on its first step. The
// registry is checked after each, and put back as it was at the end.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoundedWait.h"
#include "KeptRegistry.h"
#include "Keyboard.h"
#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "res/wizard/OtherMTUSettings.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

bool WaitForCheck(HWND button, LRESULT state) {
  return WaitFor(
      [&] { return SendMessageA(button, BM_GETCHECK, 0, 0) == state; });
}

// The id of the focused control, for failure messages.
int FocusedId(HWND window) { return GetDlgCtrlID(FocusOf(window)); }

// Types `key` (with Alt when `alt`) and waits for the sheet to show the step
// whose caption starts with `next`.
::testing::AssertionResult StepWith(HWND sheet, WORD key, bool alt,
                                    const std::string& next) {
  std::string caption = TextOf(sheet);
  bool sent = alt ? TypeWithAlt(key) : Type(key);
  if (!sent) return ::testing::AssertionFailure() << "input refused";
  if (!WaitForCaption(sheet, next))
    return ::testing::AssertionFailure()
           << "still on \"" << caption << "\", focus on control "
           << FocusedId(sheet);
  return ::testing::AssertionSuccess();
}

class KeyboardWizard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
  }
};

TEST_F(KeyboardWizard, KeysAloneTakeTheUserFromSetToFinishAndReset) {
  KeptRegistry kept(kFamilyNT);
  Registry& registry = kept.registry();
  StoreScenario scenario = SeedStoreScenario(registry, kFamilyNT, 11);
  RegistrySnapshot before = kept.Settings();

  ProgramRun program("winxp");
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(BringToFront(main));

  ASSERT_TRUE(TypeWithAlt('S'));
  HWND sheet = WaitForWizard(program);
  ASSERT_NE(nullptr, sheet);
  HWND page = CurrentPage(sheet);
  HWND dialUp = GetDlgItem(page, IDC_CONNECTION_DIAL_UP);
  ASSERT_TRUE(WaitForFocus(sheet, dialUp)) << "focus on " << FocusedId(sheet);
  // Down twice walks the radio group from dial-up past cable to DSL.
  ASSERT_TRUE(Type(VK_DOWN));
  ASSERT_TRUE(
      WaitForCheck(GetDlgItem(page, IDC_CONNECTION_CABLE_MODEM), BST_CHECKED));
  ASSERT_TRUE(Type(VK_DOWN));
  ASSERT_TRUE(WaitForCheck(GetDlgItem(page, IDC_CONNECTION_DSL), BST_CHECKED));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(dialUp, BM_GETCHECK, 0, 0));

  ASSERT_TRUE(StepWith(sheet, VK_RETURN, false, "Step 2 of 8"));
  ASSERT_TRUE(StepWith(sheet, 'N', true, "Step 3 of 8"));
  ASSERT_TRUE(StepWith(sheet, VK_RETURN, false, "Step 4 of 8"));
  ASSERT_TRUE(StepWith(sheet, 'B', true, "Step 3 of 8"));

  // Coming back puts the focus on "Disable It?": Space ticks it, Tab goes
  // on to "Enable It?" and Space ticks that one too.
  HWND pathMtu = CurrentPage(sheet);
  HWND disable = GetDlgItem(pathMtu, IDC_PMTU_DISABLE_DISCOVERY);
  HWND enable = GetDlgItem(pathMtu, IDC_PMTU_ENABLE_BLACK_HOLE);
  ASSERT_TRUE(WaitForFocus(sheet, disable)) << "focus on " << FocusedId(sheet);
  ASSERT_TRUE(Type(VK_SPACE));
  ASSERT_TRUE(WaitForCheck(disable, BST_CHECKED));
  EXPECT_EQ(BST_UNCHECKED, SendMessageA(enable, BM_GETCHECK, 0, 0));
  ASSERT_TRUE(Type(VK_TAB));
  ASSERT_TRUE(WaitForFocus(sheet, enable)) << "focus on " << FocusedId(sheet);
  ASSERT_TRUE(Type(VK_SPACE));
  ASSERT_TRUE(WaitForCheck(enable, BST_CHECKED));
  EXPECT_EQ(BST_CHECKED, SendMessageA(disable, BM_GETCHECK, 0, 0));
  SaveScreenshot(sheet, "keyboard-path-mtu");

  for (const char* next : {"Step 4 of 8", "Step 5 of 8", "Step 6 of 8",
                           "Step 7 of 8", "Step 8 of 8"})
    ASSERT_TRUE(StepWith(sheet, VK_RETURN, false, next));
  ASSERT_TRUE(WaitUntilUsable(GetDlgItem(sheet, kWizardFinish)));
  ASSERT_TRUE(Type(VK_RETURN));

  HWND alert = program.WaitForDialog("Alert");
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(0u, TextOf(GetDlgItem(alert, IDC_ALERT_TEXT))
                    .find("Congratulation, Velocine has boosted"));
  ASSERT_TRUE(Type(VK_RETURN));
  ASSERT_TRUE(program.WaitUntilGone(alert));
  ASSERT_TRUE(program.WaitUntilGone(sheet));

  // What Finish wrote: the DSL recommendations, path MTU discovery off and
  // black-hole detection on.
  const std::string tcpip = kTcpipKeyName;
  RegValue value;
  ASSERT_TRUE(Get(registry, tcpip, "EnablePMTUDiscovery", &value));
  EXPECT_EQ(RegValue::Dword(0), value);
  ASSERT_TRUE(Get(registry, tcpip, "EnablePMTUBHDetect", &value));
  EXPECT_EQ(RegValue::Dword(1), value);
  ASSERT_TRUE(Get(registry, tcpip, "TcpWindowSize", &value));
  EXPECT_EQ(RegValue::Dword(1452 * 44 * 4), value);
  ASSERT_TRUE(Get(registry, tcpip, "DefaultTTL", &value));
  EXPECT_EQ(RegValue::Dword(64), value);
  // The NT family's TCP takes the MSS from the MTU: none is written.
  for (const std::string& key : scenario.interfaces) {
    ASSERT_TRUE(Get(registry, key, "MTU", &value)) << key;
    EXPECT_EQ(RegValue::Dword(1492), value);
  }
  EXPECT_TRUE(KeyExists(registry, kBackupKeyName));

  // Reset by its mnemonic puts back what was there.
  HWND reset = GetDlgItem(main, IDC_MAIN_RESET);
  ASSERT_TRUE(WaitUntilEnabled(reset, true));
  ASSERT_TRUE(BringToFront(main));
  ASSERT_TRUE(TypeWithAlt('R'));
  alert = program.WaitForDialog("Alert");
  ASSERT_NE(nullptr, alert);
  EXPECT_EQ(0u, TextOf(GetDlgItem(alert, IDC_ALERT_TEXT))
                    .find("Velocine has reset your system"));
  ASSERT_TRUE(Type(VK_RETURN));
  ASSERT_TRUE(program.WaitUntilGone(alert));
  EXPECT_TRUE(WaitUntilEnabled(reset, false));
  EXPECT_FALSE(KeyExists(registry, kBackupKeyName));
  IntendedDifferences made;
  RegistrySnapshot expected = ExpectedAfterRestore(before, scenario, &made);
  EXPECT_EQ(std::vector<std::string>(), expected.Differences(kept.Settings()));
}

TEST_F(KeyboardWizard, EscapeOnTheFirstStepLeavesEverythingButTheBackup) {
  KeptRegistry kept(kFamilyNT);
  SeedStoreScenario(kept.registry(), kFamilyNT, 12);
  RegistrySnapshot before = kept.Settings();

  ProgramRun program("winxp");
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  HWND reset = GetDlgItem(main, IDC_MAIN_RESET);
  EXPECT_FALSE(IsWindowEnabled(reset));
  ASSERT_TRUE(BringToFront(main));
  ASSERT_TRUE(TypeWithAlt('S'));
  HWND sheet = WaitForWizard(program);
  ASSERT_NE(nullptr, sheet);
  ASSERT_TRUE(WaitForFocus(
      sheet, GetDlgItem(CurrentPage(sheet), IDC_CONNECTION_DIAL_UP)));
  ASSERT_TRUE(Type(VK_ESCAPE));
  ASSERT_TRUE(program.WaitUntilGone(sheet));
  EXPECT_TRUE(WaitUntilEnabled(reset, true));
  EXPECT_TRUE(KeyExists(kept.registry(), kBackupKeyName));
  EXPECT_EQ(std::vector<std::string>(), before.Differences(kept.Settings()));
}

}  // namespace
}  // namespace velo
