// The wizard and the skin component, through real COM: with the stand-in
// component registered, a whole run of the program from Set to Finish (a
// boostable modem present, so the modem page shows too) and the closing
// message; the stand-in's log must hold exactly the windows the program
// showed, each with its element, in the order the windows were made.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "KeptRegistry.h"
#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "SkinLog.h"
#include "SkinStandInRegistration.h"
#include "WithSkinStandIn.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "res/wizard/ICMPRedirectAttackSetting.h"
#include "res/wizard/KeepAliveSettings.h"
#include "res/wizard/MTUSettings.h"
#include "res/wizard/OtherMTUSettings.h"
#include "res/wizard/RWINSetting.h"
#include "res/wizard/SYNFloodAttackSetting.h"
#include "res/wizard/TTLSetting.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

struct SkinnedControl {
  int id;
  const char* element;
};

// A page as the run meets it: how its caption starts, and its controls in
// the order they are handed to the component after the page itself.
struct SkinnedPage {
  const char* caption;
  std::vector<SkinnedControl> controls;
};

const SkinnedPage kConnectionType = {
    "Step 1 of",
    {{IDC_CONNECTION_QUESTION, "Label"},
     {IDC_CONNECTION_DIAL_UP, "Radio Button"},
     {IDC_CONNECTION_CABLE_MODEM, "Radio Button"},
     {IDC_CONNECTION_DSL, "Radio Button"},
     {IDC_CONNECTION_LAN, "Radio Button"}}};
const SkinnedPage kMtu = {"Step 2 of",
                          {{IDC_MTU_EXPLANATION, "Label"},
                           {IDC_MTU_RECOMMENDED, "Label"},
                           {IDC_MSS_EXPLANATION, "Label"},
                           {IDC_MSS_RECOMMENDED, "Label"}}};
const SkinnedPage kPathMtu = {"Step 3 of",
                              {{IDC_PMTU_DISCOVERY_EXPLANATION, "Label"},
                               {IDC_PMTU_DISCOVERY_RECOMMENDED, "Label"},
                               {IDC_PMTU_BLACK_HOLE_EXPLANATION, "Label"},
                               {IDC_PMTU_BLACK_HOLE_RECOMMENDED, "Label"},
                               {IDC_PMTU_DISABLE_DISCOVERY, "Check Box"},
                               {IDC_PMTU_ENABLE_BLACK_HOLE, "Check Box"}}};
const SkinnedPage kReceiveWindow = {"Step 4 of",
                                    {{IDC_RWIN_EXPLANATION, "Label"},
                                     {IDC_RWIN_RECOMMENDED, "Label"},
                                     {IDC_RWIN_MSS_LABEL, "Label"},
                                     {IDC_RWIN_MULTIPLIER_LABEL, "Label"},
                                     {IDC_RWIN_SCALING_LABEL, "Label"},
                                     {IDC_RWIN_WINDOW_LABEL, "Label"},
                                     {IDC_RWIN_FIRST_TIMES, "Label"},
                                     {IDC_RWIN_SECOND_TIMES, "Label"},
                                     {IDC_RWIN_EQUALS, "Label"},
                                     {IDC_RWIN_SPEED_LABEL, "Label"},
                                     {IDC_RWIN_ROUND_TRIP, "Label"}}};
const SkinnedPage kTtl = {"Step 5 of",
                          {{IDC_TTL_EXPLANATION, "Label"},
                           {IDC_TTL_RECOMMENDED, "Label"},
                           {IDC_BROWSER_EXPLANATION, "Label"},
                           {IDC_HTTP_1_0_CURRENT, "Label"},
                           {IDC_HTTP_1_0_RECOMMENDED, "Label"},
                           {IDC_HTTP_1_1_CURRENT, "Label"},
                           {IDC_HTTP_1_1_RECOMMENDED, "Label"},
                           {IDC_TTL_TITLE, "Label"},
                           {IDC_BROWSER_TITLE, "Label"}}};
const SkinnedPage kKeepAlive = {
    "Step 6 of",
    {{IDC_KEEP_ALIVE_TIME_EXPLANATION, "Label"},
     {IDC_KEEP_ALIVE_TIME_RECOMMENDED, "Label"},
     {IDC_KEEP_ALIVE_INTERVAL_EXPLANATION, "Label"},
     {IDC_KEEP_ALIVE_INTERVAL_RECOMMENDED, "Label"}}};
const SkinnedPage kSynFlood = {"Step 7 of",
                               {{IDC_SYN_EXPLANATION, "Label"},
                                {IDC_SYN_LEVELS, "Label"},
                                {IDC_SYN_QUESTION, "Label"}}};
const SkinnedPage kIcmpRedirect = {"Step 8 of",
                                   {{IDC_ICMP_SYMPTOM, "Label"},
                                    {IDC_ICMP_PROCESSOR, "Label"},
                                    {IDC_ICMP_RECONNECTED, "Label"},
                                    {IDC_ICMP_CAUSE, "Label"},
                                    {IDC_ICMP_RECOMMENDED, "Label"},
                                    {IDC_ICMP_ENABLE, "Check Box"}}};
const SkinnedPage kModemBoost = {"Boost the Modem", {}};

// The sheet's buttons, in the order they are handed over.
const std::vector<SkinnedControl> kSheetButtons = {
    {kWizardNext, "Small Button"},
    {IDCANCEL, "Small Button"},
    {kWizardHelp, "Small Button"},
    {kWizardFinish, "Small Button"},
    {kWizardBack, "Small Button"}};
// The closing message's text, then OK, Yes and No.
const std::vector<SkinnedControl> kAlertControls = {
    {IDC_ALERT_TEXT, "Label"},
    {IDOK, "Small Button"},
    {IDC_ALERT_YES, "Small Button"},
    {IDCANCEL, "Small Button"}};

struct SkinnedRun {
  const char* wineVersion;
  WindowsFamily family;
  std::vector<SkinnedPage> pages;  // in the order the run shows them
};

void PrintTo(const SkinnedRun& run, std::ostream* out) {
  *out << run.wineVersion;
}

// "" when the log holds exactly the expected calls; else where it departs.
std::string FirstDifference(const std::vector<LoggedSkinCall>& expected,
                            const std::vector<LoggedSkinCall>& logged) {
  for (size_t i = 0; i < expected.size() || i < logged.size(); ++i) {
    if (i < expected.size() && i < logged.size() && expected[i] == logged[i])
      continue;
    std::ostringstream out;
    out << "call " << i << " of " << logged.size() << ": expected ";
    if (i < expected.size())
      out << expected[i];
    else
      out << "none";
    out << ", logged ";
    if (i < logged.size())
      out << logged[i];
    else
      out << "none";
    return out.str();
  }
  return "";
}

// The page that Back and Next visit once more: its init must not repeat.
const size_t kRevisitedPage = 2;

class SkinWizard : public WithSkinStandIn<::testing::TestWithParam<SkinnedRun>> {
 protected:
  SkinWizard() : WithSkinStandIn("skinwizard") {}
};

// The calls for `window` as the element `element`, then for its controls.
void ExpectSkinned(HWND window, const char* element,
                   const std::vector<SkinnedControl>& controls,
                   std::vector<LoggedSkinCall>* expected) {
  expected->push_back(SkinElementCall(window, element));
  for (const SkinnedControl& control : controls)
    expected->push_back(
        SkinElementCall(GetDlgItem(window, control.id), control.element));
}

TEST_P(SkinWizard, EveryWindowOfARunIsHandedOverOnceInOrder) {
  const SkinnedRun& run = GetParam();
  KeptRegistry kept(run.family);
  Put(kept.registry(), std::string(ModemClassKeyName(run.family)) + "\\0099",
      "Properties", ModemRecord(115200));
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());

  std::vector<LoggedSkinCall> expected;
  std::string closing;
  {
    ProgramRun program(run.wineVersion);
    ASSERT_TRUE(program.Started());
    HWND main = program.WaitForDialog("Velocine");
    ASSERT_NE(nullptr, main);
    const std::string folder = ProgramFolder();
    expected = {LoadSplashCall(folder + "\\Skin\\Splash.spl"),
                SplashDisplayTimeCall(0), SplashShownCall(false),
                LoadSkinCall(folder + "\\Skin\\Title.skn"),
                SkinWindowCall(main)};

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_SET, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_MAIN_SET)));
    HWND sheet = WaitForWizard(program);
    ASSERT_NE(nullptr, sheet);
    // The dial-up radio is checked from the start: Next alone chooses it.
    for (size_t i = 0; i < run.pages.size(); ++i) {
      const SkinnedPage& shown = run.pages[i];
      if (i > 0) {
        std::string before = TextOf(sheet);
        PressSheetButton(sheet, PSBTN_NEXT);
        ASSERT_TRUE(WaitForCaptionChange(sheet, before)) << before;
      }
      ASSERT_TRUE(WaitForCaption(sheet, shown.caption))
          << "expected " << shown.caption << ", shown " << TextOf(sheet);
      HWND page = CurrentPage(sheet);
      ASSERT_NE(nullptr, page);
      ExpectSkinned(page, "BackGround", shown.controls, &expected);
      // The sheet is handed over after its first page has been made.
      if (i == 0) ExpectSkinned(sheet, "SmallPages", kSheetButtons, &expected);
      if (i == kRevisitedPage) {
        PressSheetButton(sheet, PSBTN_BACK);
        ASSERT_TRUE(WaitForCaption(sheet, run.pages[i - 1].caption));
        PressSheetButton(sheet, PSBTN_NEXT);
        ASSERT_TRUE(WaitForCaption(sheet, shown.caption));
        EXPECT_EQ(page, CurrentPage(sheet)) << "the page window is kept";
      }
    }
    ASSERT_TRUE(WaitUntilUsable(GetDlgItem(sheet, kWizardFinish)));
    PressSheetButton(sheet, PSBTN_FINISH);

    HWND alert = program.WaitForDialog("Alert");
    ASSERT_NE(nullptr, alert);
    HWND text = GetDlgItem(alert, IDC_ALERT_TEXT);
    closing = TextOf(text);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(alert, IDOK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(alert, IDC_ALERT_YES)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(alert, IDCANCEL)));
    ExpectSkinned(alert, "MsgSkin", kAlertControls, &expected);
    PostMessageA(alert, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitUntilGone(sheet));
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
  }

  EXPECT_EQ(0u, closing.find("Congratulation, Velocine has boosted"))
      << closing;
  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  EXPECT_EQ("", FirstDifference(expected, log.calls));
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, SkinWizard,
    ::testing::Values(
        SkinnedRun{"winxp",
                   kFamilyNT,
                   {kConnectionType, kMtu, kPathMtu, kReceiveWindow, kTtl,
                    kKeepAlive, kSynFlood, kIcmpRedirect, kModemBoost}},
        SkinnedRun{"win98",
                   kFamily9x,
                   {kConnectionType, kMtu, kPathMtu, kReceiveWindow, kTtl,
                    kKeepAlive, kModemBoost}}),
    [](const ::testing::TestParamInfo<SkinnedRun>& info) {
      return std::string(info.param.wineVersion);
    });

}  // namespace
}  // namespace velo
