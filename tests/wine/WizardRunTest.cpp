// The whole wizard for real, forward from step 1 to Finish in both families,
// with and without a modem whose port speed can be raised: which pages show
// in which order, with which caption and buttons, and what Finish leaves in
// the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Screenshot.h"
#include "RegistryInUse.h"
#include "WizardDriver.h"
#include "app/TunerApp.h"
#include "res/wizard/ChooseConnectionType.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

// The test machine has no network device where either family keeps its MTU:
// Finish says that it left the MTU and MSS as they were.
const char kClosingMessage[] =
    "Congratulation, Velocine has boosted your internet connections.\n"
    "Please, restart your computer in order to feel the change.\n"
    "Your MTU and MSS settings were left as they were, because this computer "
    "has no network adapter for the connection type you chose.";
const char kModemName[] = "9999";

struct Shown {
  int page;
  std::string caption;
  WizardButtonsShown buttons;
};

// Presses Next from step 1 for as long as Next is offered, then Finish;
// saves a picture of each page as `pictures` and its index, unless empty.
std::vector<Shown> RunForward(WizardDriver& wizard, const std::string& pictures) {
  std::vector<Shown> shown;
  for (;;) {
    shown.push_back({wizard.Page(), wizard.Caption(), wizard.Buttons()});
    if (!pictures.empty())
      SaveScreenshot(wizard.Sheet().Hwnd(),
                     pictures + std::to_string(shown.back().page));
    if (!wizard.Buttons().next || shown.size() > 9) break;
    wizard.Next();
  }
  wizard.Finish();
  return shown;
}

std::vector<int> Pages(const std::vector<Shown>& shown) {
  std::vector<int> pages;
  for (const Shown& one : shown) pages.push_back(one.page);
  return pages;
}

std::string Number(const char* key, const char* name) {
  RegValue value;
  if (!Get(App().registry(), key, name, &value)) return "absent";
  if (value.type == kRegDword && value.data.size() == 4)
    return std::to_string(value.data[0] | value.data[1] << 8 |
                          value.data[2] << 16 | value.data[3] << 24);
  return value.AsText();
}

const WizardButtonsShown kNextOnly = {false, true, false};
const WizardButtonsShown kBackAndNext = {true, true, false};
const WizardButtonsShown kBackAndFinish = {true, false, true};

// Each step of a run without a modem: "Step 2 of 8 : ..." and its buttons,
// Finish on the last one.
void ExpectSteps(const std::vector<Shown>& shown, size_t steps) {
  const char* titles[] = {"Choose Connection Type",
                          "Specify MTU Settings",
                          "Other MTU Settings",
                          "RWIN Setting",
                          "TTL & Internet Explorer Optimization",
                          "Keep Alive Settings",
                          "SYN Flood Attack Setting",
                          "ICMP Redirect Attack Setting"};
  ASSERT_EQ(steps, shown.size());
  for (size_t i = 0; i < steps; ++i) {
    EXPECT_EQ("Step " + std::to_string(i + 1) + " of " +
                  std::to_string(steps) + " : " + titles[i],
              shown[i].caption);
    EXPECT_EQ(i == 0 ? kNextOnly
                     : i + 1 == steps ? kBackAndFinish : kBackAndNext,
              shown[i].buttons)
        << "step " << i + 1;
  }
}

// Eight steps on the NT family, six on 9x; Finish writes the recommendations
// for the chosen connection type, as numbers on NT and as decimal text on 9x.
TEST(WizardRun, AFamilysStepsWithoutAModemAndWhatFinishWrites) {
  struct Written {
    const char* key;
    const char* name;
    const char* value;
  };
  struct Run {
    WindowsFamily family;
    int radio;
    ConnectionKind type;
    const char* pictures;
    std::vector<int> pages;
    std::vector<Written> written;
  };
  const Run runs[] = {
      {kFamilyNT, IDC_CONNECTION_LAN, kLan, "wizard-nt-page",
       {0, 1, 2, 3, 4, 5, 6, 7},
       {{kTcpipKeyName, "DefaultTTL", "64"},
        {kTcpipKeyName, "TcpWindowSize", "256960"},
        {kTcpipKeyName, "EnablePMTUDiscovery", "1"},
        {kTcpipKeyName, "EnablePMTUBHDetect", "0"},
        {kTcpipKeyName, "KeepAliveTime", "7200000"},
        {kTcpipKeyName, "KeepAliveInterval", "1000"},
        {kTcpipKeyName, "SYNAttackProtect", "2"},
        {kTcpipKeyName, "EnableICMPRedirects", "0"},
        {kBrowserKeyName, "MaxConnectionsPer1_0Server", "20"},
        {kBrowserKeyName, "MaxConnectionsPerServer", "20"}}},
      {kFamily9x, IDC_CONNECTION_DSL, kDsl, "",
       {0, 1, 2, 3, 4, 5},
       {{kMstcpKeyName, "DefaultTTL", "32"},
        {kMstcpKeyName, "DefaultRcvWindow", "255552"},
        {kMstcpKeyName, "KeepAliveTime", "7200000"},
        {kBrowserKeyName, "MaxConnectionsPer1_0Server", "4"},
        {kBrowserKeyName, "MaxConnectionsPerServer", "8"}}}};
  for (const Run& run : runs) {
    SCOPED_TRACE(run.family);
    WizardDriver wizard(run.family);
    wizard.Open();
    CheckRadioButton(wizard.PageWindow(), IDC_CONNECTION_DIAL_UP,
                     IDC_CONNECTION_LAN, run.radio);
    std::vector<Shown> shown = RunForward(wizard, run.pictures);

    ASSERT_EQ(run.pages, Pages(shown));
    ExpectSteps(shown, run.pages.size());
    EXPECT_EQ(-1, wizard.Page()) << "Finish ends the wizard";
    EXPECT_EQ(std::vector<std::string>{kClosingMessage}, wizard.messages);

    EXPECT_EQ(run.type, wizard.Record().ConnectionType);
    EXPECT_EQ(0, wizard.modemFound) << "no detection without dial-up";
    for (const Written& value : run.written)
      EXPECT_EQ(value.value, Number(value.key, value.name)) << value.name;
    EXPECT_TRUE(KeyExists(App().registry(), kBackupKeyName));
  }
}

// The modem page follows the family's last step, which then offers Next.
TEST(WizardRun, ADialUpWithABoostableModemEndsOnTheModemPage) {
  struct Run {
    WindowsFamily family;
    const char* pictures;
    std::vector<int> pages;
    const char* windowKey;
    const char* windowValue;
  };
  for (const Run& run :
       {Run{kFamily9x, "wizard-9x-modem-page", {0, 1, 2, 3, 4, 5, 8},
            kMstcpKeyName, "DefaultRcvWindow"},
        Run{kFamilyNT, "", {0, 1, 2, 3, 4, 5, 6, 7, 8}, kTcpipKeyName,
            "TcpWindowSize"}}) {
    SCOPED_TRACE(run.family);
    WizardDriver wizard(run.family);
    AddBoostableModem(run.family, kModemName);
    wizard.Open();
    std::vector<Shown> shown = RunForward(wizard, run.pictures);

    ASSERT_EQ(run.pages, Pages(shown));
    const Shown& modemPage = shown.back();
    EXPECT_EQ(kBackAndNext, shown[shown.size() - 2].buttons);
    EXPECT_EQ("Boost the Modem", modemPage.caption);
    EXPECT_EQ(kBackAndFinish, modemPage.buttons);
    EXPECT_EQ(1, wizard.modemFound);
    EXPECT_EQ(std::vector<std::string>{kClosingMessage}, wizard.messages);
    EXPECT_EQ(ModemRecord(921600), ModemProperties(run.family, kModemName));
    EXPECT_EQ("6432", Number(run.windowKey, run.windowValue));
  }
}

// A Next that reaches the sheet on the last step (sent by an assistive tool,
// or pressed before the step's own buttons have shown) leaves the user on
// that step, in every shape of run; Back on the first step likewise.
TEST(WizardRun, NextOnTheLastStepAndBackOnTheFirstStayWhereTheyAre) {
  struct Shape {
    WindowsFamily family;
    bool modem;
    int last;
  };
  for (const Shape& shape : {Shape{kFamily9x, false, kKeepAlivePage},
                             Shape{kFamily9x, true, kModemBoostPage},
                             Shape{kFamilyNT, false, kIcmpRedirectPage},
                             Shape{kFamilyNT, true, kModemBoostPage}}) {
    SCOPED_TRACE(std::to_string(shape.family) + (shape.modem ? " modem" : ""));
    WizardDriver wizard(shape.family);
    if (shape.modem) AddBoostableModem(shape.family, kModemName);
    wizard.Open();
    std::string first = wizard.Caption();
    wizard.Back();
    EXPECT_EQ(kConnectionTypePage, wizard.Page());
    EXPECT_EQ(first, wizard.Caption());

    ASSERT_TRUE(wizard.NextTo(shape.last));
    std::string last = wizard.Caption();
    wizard.Next();
    EXPECT_EQ(shape.last, wizard.Page());
    EXPECT_EQ(last, wizard.Caption());
    EXPECT_EQ(kBackAndFinish, wizard.Buttons());
    wizard.Cancel();
  }
}

TEST(WizardRun, FinishChangesNothingWhenTheBackupCouldNotBeTaken) {
  WizardDriver wizard(kFamilyNT);
  Registry& real = App().registry();
  Put(real, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  Put(real, kTcpipKeyName, "SYNAttackProtect", RegValue());  // absent
  FaultInjectingRegistry faulty(real);
  // The first value written is a copy into the backup key.
  faulty.FailOnce(kCallSetValue, 0);
  {
    RegistryInUse failingOnce(faulty);
    wizard.Open();
    RunForward(wizard, "");
  }

  ASSERT_EQ(1u, wizard.messages.size());
  EXPECT_EQ(0u, wizard.messages[0].find(
                    "Velocine could not save a backup of your connection "
                    "settings, so it has not changed them."));
  EXPECT_EQ("128", Number(kTcpipKeyName, "DefaultTTL"));
  EXPECT_EQ("absent", Number(kTcpipKeyName, "SYNAttackProtect"));
}

TEST(WizardRun, FinishWithoutAdministratorRightsSaysTheSettingsWereNotWritten) {
  WizardDriver wizard(kFamilyNT);
  Registry& real = App().registry();
  FaultInjectingRegistry user(real);
  user.DenyLocalMachineWrites();
  {
    RegistryInUse withoutRights(user);
    wizard.Open();
    RunForward(wizard, "");
  }

  ASSERT_EQ(1u, wizard.messages.size());
  EXPECT_EQ("Velocine could not write all of your connection settings, so "
            "your connection has not been fully boosted.\nPlease, run "
            "Velocine as an administrator and try again.",
            wizard.messages[0]);
}

}  // namespace
}  // namespace velo
