// The real Velocine.exe under Wine, on the real registry: the machine changes
// between Finish and Reset, and Reset gives back what Velocine changed while
// it leaves alone what it never wrote. A VPN adapter installed after Finish
// keeps its own MTU and MSS, a modem replaced after Finish keeps its own
// record, and the browser's settings key, removed by a browser reset, comes
// back with the limits it had.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "KeptRegistry.h"
#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

const char kBackup[] = "HKCU\\Software\\Velocine\\Original Settings";

// The alert that shows next, answered with OK; its message.
std::string AnswerAlert(const ProgramRun& program) {
  HWND alert = program.WaitForDialog("Alert");
  if (!alert) return "(no alert)";
  std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_TEXT));
  PostClick(alert, IDOK);
  program.WaitUntilGone(alert);
  return text;
}

// Set, dial-up on the first step, Next through the eight steps of the NT
// family to the modem page, which a boostable modem adds, and Finish there.
bool RunWizardToFinish(const ProgramRun& program, HWND main) {
  const int kStepsBeforeTheModemPage = 8;
  PostClick(main, IDC_MAIN_SET);
  HWND sheet = WaitForWizard(program);
  if (!sheet) return false;
  PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_CONNECTION_DIAL_UP),
               BM_CLICK, 0, 0);
  for (int step = 0; step < kStepsBeforeTheModemPage; ++step) {
    std::string caption = TextOf(sheet);
    if (!WaitUntilUsable(GetDlgItem(sheet, kWizardNext))) return false;
    PressSheetButton(sheet, PSBTN_NEXT);
    if (!WaitForCaptionChange(sheet, caption)) return false;
  }
  if (!WaitForCaption(sheet, "Boost the Modem") ||
      !WaitUntilUsable(GetDlgItem(sheet, kWizardFinish)))
    return false;
  PressSheetButton(sheet, PSBTN_FINISH);
  std::string closing = AnswerAlert(program);
  return closing.find("Congratulation") == 0 && program.WaitUntilGone(sheet);
}

TEST(MachineChanges, BetweenFinishAndResetOnXp) {
  if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
  KeptRegistry kept(kFamilyNT);
  Registry& registry = kept.registry();
  StoreScenario scenario = SeedStoreScenario(registry, kFamilyNT, 4);
  Put(registry, kBrowserKeyName, "MaxConnectionsPerServer", RegValue::Dword(2));
  Put(registry, kBrowserKeyName, "MaxConnectionsPer1_0Server", RegValue());
  const std::string modemClass = ModemClassKeyName(kFamilyNT);
  const std::string modem = modemClass + "\\0000";
  RemoveKey(registry, modemClass);
  Put(registry, modem, "Properties", ModemRecord(115200));
  RegistrySnapshot before = kept.Settings();

  ProgramRun program("winxp");
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(RunWizardToFinish(program, main));
  ASSERT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET)));
  RegValue value;
  ASSERT_TRUE(Get(registry, modem, "Properties", &value));
  ASSERT_EQ(ModemRecord(921600), value) << "the modem was raised";

  // Other programs change the machine.
  std::string vpn = AddInterface(registry, "{VPN-Installed-After-Finish}");
  Put(registry, vpn, "MTU", RegValue::Dword(1300));
  RegValue otherModem = ModemRecord(57600);
  Put(registry, modem, "Properties", otherModem);
  RemoveKey(registry, kBrowserKeyName);
  RegistrySnapshot changed = kept.Settings();

  PostClick(main, IDC_MAIN_RESET);
  EXPECT_EQ("Velocine has reset your system to the backup settings.\n"
            "Please, restart your computer in order to feel the change.",
            AnswerAlert(program));
  EXPECT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET), false));
  EXPECT_FALSE(KeyExists(registry, kBackup));

  // All was put back as before Finish, but for what the others changed: the
  // new interface and the other modem as they are, and of the browser key
  // only the limit it had.
  IntendedDifferences made;
  RegistrySnapshot expected = ExpectedAfterRestore(before, scenario, &made);
  for (const char* name : {"EnableDHCP", "MTU", "MSS"})
    expected.Set(vpn, name, *changed.Find(vpn, name));
  expected.Set(modem, "Properties", otherModem);
  expected.EraseKey(kBrowserKeyName);
  expected.Set(kBrowserKeyName, "MaxConnectionsPerServer", RegValue::Dword(2));
  EXPECT_EQ(std::vector<std::string>(),
            expected.Differences(kept.Settings()));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit());
}

}  // namespace
}  // namespace velo
