// Whole runs of the real Velocine.exe under Wine, as a user makes them: Set,
// every page of the wizard, Finish, then Reset; Cancel on the first step;
// No to the question before a backup is replaced; a second start; and as an
// administrator's script makes them, from the command line. The registry is
// checked after each, and put back as it was at the end.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "BoundedWait.h"
#include "KeptRegistry.h"
#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "TempFolder.h"
#include "app/SystemBoxes.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "store/RegistryLocations.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

const char kBrowser[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

struct WholeRun {
  const char* wineVersion;
  WindowsFamily family;
  int connectionRadio;  // the radio the user picks on step 1
  bool boostableModem;  // the machine's modem is limited to 115,200 bits/s
  uint32_t seed;        // of the generated registry state
  bool screenshot;      // saves a picture of the closing message
};

std::string Name(const WholeRun& run) {
  std::string radio = run.connectionRadio == IDC_CONNECTION_DIAL_UP ? "DialUp"
                      : run.connectionRadio == IDC_CONNECTION_LAN  ? "Lan"
                      : run.connectionRadio == IDC_CONNECTION_DSL  ? "Dsl"
                                                                   : "Cable";
  return std::string(run.wineVersion) + radio +
         (run.boostableModem ? "Boostable" : "Slow") + "Modem";
}

// A value as Windows 95/98/Me store it: a string up to its first NUL, with
// that NUL; other types as they are.
RegValue AsStoredBy9x(RegValue value) {
  if (IsStringType(value.type)) value = RegValue{value.type, RegValue::Text(value.AsText()).data};
  return value;
}

struct Expected {
  std::string key, name;
  RegValue value;
};

int32_t ConnectionOf(const WholeRun& run) {
  return run.connectionRadio == IDC_CONNECTION_DIAL_UP ? kDialUp
         : run.connectionRadio == IDC_CONNECTION_DSL   ? kDsl
         : run.connectionRadio == IDC_CONNECTION_LAN   ? kLan
                                                       : kCableModem;
}

bool IsNt5(const WholeRun& run) {
  const std::string version = run.wineVersion;
  return version == "win2k" || version == "winxp" || version == "win2003";
}

// Whether PPP's one MTU is written: 2000/XP/2003 send dial-up and their
// PPPoE with it (KB 826159).
bool WritesPppMtu(const WholeRun& run) {
  return IsNt5(run) && (ConnectionOf(run) == kDialUp || ConnectionOf(run) == kDsl);
}

// The keys whose MTU Finish sets (and on 95/98/Me the MSS): 95/98/Me the
// Dial-Up Adapter's binding for dial-up, the other adapters' for LAN and
// cable, both for DSL; 2000/XP/2003 every interface, none of them described
// as a card or a WAN adapter, but for dial-up, which goes by PPP's own MTU;
// NT 4.0 none, for the generated machine binds no adapter to TCP/IP.
std::vector<std::string> MtuKeys(const WholeRun& run,
                                 const StoreScenario& scenario) {
  if (run.family == kFamilyNT)
    return !IsNt5(run) || ConnectionOf(run) == kDialUp
               ? std::vector<std::string>()
               : scenario.interfaces;
  std::vector<std::string> keys;
  if (ConnectionOf(run) != kDialUp) keys = scenario.cardBindings;
  if (ConnectionOf(run) != kLan && ConnectionOf(run) != kCableModem &&
      !scenario.dialUpBinding.empty())
    keys.push_back(scenario.dialUpBinding);
  return keys;
}

// What Finish leaves when the user takes every recommendation: the NT family
// as 32-bit numbers, 95/98/Me as decimal text (which that family keeps up to
// its NUL, not the 260 bytes written).
std::vector<Expected> WrittenByFinish(const WholeRun& run,
                                      const StoreScenario& scenario) {
  bool dialUp = run.connectionRadio == IDC_CONNECTION_DIAL_UP;
  int32_t mtu = dialUp ? 576
                : run.connectionRadio == IDC_CONNECTION_DSL ? 1492 : 1500;
  int32_t mss = mtu - 40;
  // NT 4.0 takes no window beyond 65,535 and 95/98/Me are proposed none
  // (Wine's 95 has WS2_32.DLL); Server
  // 2003 knows SYN attack protection levels 0 and 1; NT 5 reads the
  // singular ICMP redirect value.
  const std::string version = run.wineVersion;
  const int32_t unscaledMultiplier = kLargestUnscaledReceiveWindow / (mss * 4);
  int32_t rwin =
      mss * (dialUp ? 3
             : version == "nt40" || run.family == kFamily9x ? unscaledMultiplier
                                                              : 44) * 4;
  const bool nt5 = IsNt5(run);
  const bool nt4 = version == "nt40";
  bool nt = run.family == kFamilyNT;
  auto number = [nt](int32_t n) {
    return nt ? RegValue::Dword(n)
              : AsStoredBy9x(RegValue::Text(std::to_string(n)));
  };
  const std::string tcpip = nt ? kTcpipKeyName : kMstcpKeyName;
  std::vector<Expected> written = {
      {kBrowser, "MaxConnectionsPer1_0Server", RegValue::Dword(nt ? 20 : 4)},
      {kBrowser, "MaxConnectionsPerServer", RegValue::Dword(nt ? 20 : 8)},
      {tcpip, "DefaultTTL", number(nt ? 64 : 32)},
      {tcpip, "KeepAliveTime", number(7200000)},
      {tcpip, "KeepAliveInterval", number(1000)}};
  // NT 4.0 has neither window scaling nor selective acknowledgements; the
  // others scale only a window beyond 65,535, which the 9x family is never
  // proposed.
  if (!nt4)
    written.insert(written.end(),
                   {{tcpip, "SackOpts", number(1)},
                    {tcpip, "Tcp1323Opts", number(rwin > 65535 ? 1 : 0)}});
  if (nt) {
    written.insert(written.end(),
                   {{tcpip, "TcpMaxDupAcks", number(2)},
                    {tcpip, "TcpWindowSize", number(rwin)},
                    {tcpip, "EnablePMTUBHDetect", number(0)},
                    {tcpip, "EnablePMTUDiscovery", number(1)},
                    {tcpip, "SYNAttackProtect",
                     number(version == "win2003" || nt4 ? 1 : 2)},
                    {tcpip, nt5 ? "EnableICMPRedirect" : "EnableICMPRedirects",
                     number(0)}});
    if (!nt4) written.push_back({tcpip, "GlobalMaxTcpWindowSize", number(rwin)});
  } else {
    written.insert(written.end(),
                   {{tcpip, "DefaultRcvWindow", number(rwin)},
                    {tcpip, "PMTUBlackHoleDetect", number(0)},
                    {tcpip, "PMTUDiscovery", number(1)}});
    // 98 reads its window cap only under the misspelt name, a DWORD below
    // MSTCP (KB 239731); 95 and Me are given none.
    const std::string parameters = std::string(kMstcpKeyName) + "\\Parameters";
    if (version == "win98")
      written.push_back({parameters, "GlobalMaxTcpWindoSize", RegValue::Dword(rwin)});
  }
  for (const std::string& key : MtuKeys(run, scenario)) {
    written.push_back({key, nt ? "MTU" : "MaxMTU", number(mtu)});
    // The NT family's TCP takes the MSS from the MTU.
    if (!nt) written.push_back({key, "MaxMSS", number(mss)});
  }
  if (WritesPppMtu(run)) {
    const std::string ppp =
        "HKLM\\System\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";
    written.insert(written.end(), {{ppp, "ProtocolType", RegValue::Dword(0x800)},
                                   {ppp, "PPPProtocolType", RegValue::Dword(0x21)},
                                   {ppp, "ProtocolMTU", RegValue::Dword(mtu)}});
  }
  return written;
}

// The closing message: the congratulation, and the note of the MTU and MSS
// left alone when no device carries the chosen connection.
std::string ClosingMessage(const WholeRun& run, const StoreScenario& scenario) {
  std::string message =
      "Congratulation, Velocine has boosted your internet connections.\n"
      "Please, restart your computer in order to feel the change.";
  const std::vector<std::string> keys = MtuKeys(run, scenario);
  if (keys.empty() && !WritesPppMtu(run))
    message += "\nYour MTU and MSS settings were left as they were, because "
               "this computer has no network adapter for the connection type "
               "you chose.";
  // Above 576 the Dial-Up Adapter's MTU is a ceiling only (KB 183437).
  if (run.family == kFamily9x && ConnectionOf(run) == kDsl &&
      !scenario.dialUpBinding.empty())
    message += "\nDial-Up Networking still sends packets of 576 bytes below "
               "128 kbit/s while a connection's IP Packet Size is Automatic.";
  return message;
}

class WholeProgramTest : public ::testing::Test {
 protected:
  // Everything a run of `family` may change is put back afterwards.
  void KeepRegistry(WindowsFamily family) {
    if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
    kept_.reset(new KeptRegistry(family));
  }
  Registry& registry() { return kept_->registry(); }
  RegistrySnapshot Settings() { return kept_->Settings(); }

  // After Reset the settings are what they were before the run.
  void ExpectResetToBefore(WindowsFamily family,
                           const RegistrySnapshot& before,
                           const StoreScenario& scenario) {
    IntendedDifferences made;
    RegistrySnapshot expected = ExpectedAfterRestore(before, scenario, &made);
    RegistrySnapshot after = Settings();
    if (family == kFamily9x) {
      // The generated state holds strings only a NT system can store; the
      // 9x family writes each back as a string to its first NUL.
      expected.ForEachValue([](RegValue& v) { v = AsStoredBy9x(v); });
      after.ForEachValue([](RegValue& v) { v = AsStoredBy9x(v); });
    }
    EXPECT_EQ(std::vector<std::string>(), expected.Differences(after));
  }

  // The sheet after Set in the main window, on its first step.
  HWND OpenWizard(const ProgramRun& program, HWND main) {
    PostClick(main, IDC_MAIN_SET);
    return WaitForWizard(program);
  }

  // Answers the alert that shows next with OK; returns its message.
  std::string AnswerAlert(const ProgramRun& program, const char* screenshot) {
    HWND alert = program.WaitForDialog("Alert");
    if (!alert) return "(no alert)";
    std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_TEXT));
    if (screenshot) SaveScreenshot(alert, screenshot);
    PostClick(alert, IDOK);
    program.WaitUntilGone(alert);
    return text;
  }

 private:
  std::unique_ptr<KeptRegistry> kept_;
};

class WholeProgram : public WholeProgramTest,
                     public ::testing::WithParamInterface<WholeRun> {
 protected:
  void SetUp() override { KeepRegistry(GetParam().family); }
};

class WholeProgramXp : public WholeProgramTest {
 protected:
  void SetUp() override { KeepRegistry(kFamilyNT); }
};

// The buttons the sheet shows once a step's own button change has arrived:
// Finish on the last step, Next (and no Finish) on every other.
bool WaitForStepButtons(HWND sheet, bool last) {
  HWND next = GetDlgItem(sheet, kWizardNext);
  HWND finish = GetDlgItem(sheet, kWizardFinish);
  return WaitFor([&] {
    bool finishShown = IsWindowVisible(finish) && IsWindowEnabled(finish);
    bool nextShown = IsWindowVisible(next) && IsWindowEnabled(next);
    return last ? finishShown : nextShown && !finishShown;
  });
}

// Walks the `steps` steps with Next and ends with Finish; returns the step
// titles seen, the modem page's included. On the last step a Next pressed
// through the sheet must leave the step as it was.
std::vector<std::string> WalkToFinish(HWND sheet, int radio, size_t steps) {
  std::vector<std::string> captions;
  PostMessageA(GetDlgItem(CurrentPage(sheet), radio), BM_CLICK, 0, 0);
  for (size_t step = 1; step <= steps; ++step) {
    bool last = step == steps;
    std::string caption = TextOf(sheet);
    captions.push_back(caption);
    if (!WaitForStepButtons(sheet, last)) {
      ADD_FAILURE() << "the buttons of \"" << caption << "\" never settled";
      break;
    }
    if (last) {
      DWORD_PTR ignored = 0;
      // Sent, not posted: once it returns, the sheet has answered the Next.
      EXPECT_TRUE(SendMessageTimeoutA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0,
                                      SMTO_NORMAL, 20000, &ignored));
      EXPECT_EQ(caption, TextOf(sheet)) << "Next on the last step";
      PressSheetButton(sheet, PSBTN_FINISH);
      break;
    }
    PressSheetButton(sheet, PSBTN_NEXT);
    if (!WaitForCaptionChange(sheet, caption)) break;
  }
  return captions;
}

TEST_P(WholeProgram, FinishWritesTheSettingsAndResetPutsEverythingBack) {
  const WholeRun& run = GetParam();
  StoreScenario scenario = SeedStoreScenario(registry(), run.family, run.seed);
  scenario.record.ConnectionType = ConnectionOf(run);
  bool dialUp = run.connectionRadio == IDC_CONNECTION_DIAL_UP;
  bool modemPage = dialUp && run.boostableModem;
  // One modem, at 115,200 or at 57,600 bits/s, in place of the generated ones.
  const std::string modemClass = ModemClassKeyName(run.family);
  const std::string modem = modemClass + "\\0000";
  const RegValue modemRecord = run.boostableModem
                                   ? ModemRecord(115200)
                                   : ModemRecord(57600);
  RemoveKey(registry(), modemClass);
  Put(registry(), modem, "Properties", modemRecord);
  RegistrySnapshot before = Settings();

  ProgramRun program(run.wineVersion);
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_RESET)));
  HWND sheet = OpenWizard(program, main);
  ASSERT_NE(nullptr, sheet);

  size_t steps = run.family == kFamilyNT ? 8 : 6;
  std::vector<std::string> captions =
      WalkToFinish(sheet, run.connectionRadio, steps + (modemPage ? 1 : 0));
  ASSERT_EQ(steps + (modemPage ? 1 : 0), captions.size());
  EXPECT_EQ("Step 1 of " + std::to_string(steps) + " : Choose Connection Type",
            captions.front());
  if (modemPage) {
    EXPECT_EQ("Boost the Modem", captions.back());
  }
  EXPECT_EQ(ClosingMessage(run, scenario),
            AnswerAlert(program, run.screenshot ? "closing-message" : nullptr));
  ASSERT_TRUE(program.WaitUntilGone(sheet));
  EXPECT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET)));

  // What Finish wrote: every value, with its type and length.
  for (const Expected& expected : WrittenByFinish(run, scenario)) {
    RegValue value;
    EXPECT_TRUE(Get(registry(), expected.key, expected.name, &value))
        << expected.key << " : " << expected.name;
    EXPECT_EQ(expected.value, value) << expected.key << " : " << expected.name;
  }
  RegValue value;
  if (run.family == kFamily9x) {
    EXPECT_FALSE(Get(registry(), kMstcpKeyName, "SYNAttackProtect", &value))
        << "the 95/98/Me family has no SYN attack protection";
  }

  ASSERT_TRUE(Get(registry(), modem, "Properties", &value));
  if (modemPage)
    EXPECT_EQ(ModemRecord(921600), value);
  else
    EXPECT_EQ(modemRecord, value);

  // Reset puts back exactly what was there.
  PostClick(main, IDC_MAIN_RESET);
  EXPECT_EQ("Velocine has reset your system to the backup settings.\n"
            "Please, restart your computer in order to feel the change.",
            AnswerAlert(program, nullptr));
  EXPECT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET), false));
  EXPECT_FALSE(KeyExists(registry(), kBackupKeyName));
  ExpectResetToBefore(run.family, before, scenario);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit());
}

// Every supported Windows, each connection type, with a modem that can be
// raised and with one that cannot.
std::vector<WholeRun> EveryRun() {
  struct Version {
    const char* name;
    WindowsFamily family;
  };
  const Version versions[] = {{"win95", kFamily9x}, {"win98", kFamily9x},
                              {"winme", kFamily9x}, {"nt40", kFamilyNT},
                              {"win2k", kFamilyNT}, {"winxp", kFamilyNT},
                              {"win2003", kFamilyNT}};
  const int radios[] = {IDC_CONNECTION_DIAL_UP, IDC_CONNECTION_CABLE_MODEM,
                        IDC_CONNECTION_DSL, IDC_CONNECTION_LAN};
  std::vector<WholeRun> runs;
  uint32_t seed = 1;
  for (const Version& version : versions)
    for (int radio : radios)
      for (bool boostable : {true, false}) {
        bool picture = std::string(version.name) == "winxp" &&
                       radio == IDC_CONNECTION_LAN && boostable;
        runs.push_back(WholeRun{version.name, version.family, radio, boostable,
                                seed++, picture});
      }
  return runs;
}

INSTANTIATE_TEST_SUITE_P(
    EveryWindows, WholeProgram, ::testing::ValuesIn(EveryRun()),
    [](const ::testing::TestParamInfo<WholeRun>& info) {
      return Name(info.param);
    });

TEST_F(WholeProgramXp, CancelOnTheFirstStepWritesNothingButTakesTheBackup) {
  SeedStoreScenario(registry(), kFamilyNT, 9);
  RegistrySnapshot before = Settings();
  ProgramRun program("winxp");
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  HWND sheet = OpenWizard(program, main);
  ASSERT_NE(nullptr, sheet);
  PressSheetButton(sheet, PSBTN_CANCEL);
  ASSERT_TRUE(program.WaitUntilGone(sheet));
  EXPECT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET)));
  EXPECT_TRUE(KeyExists(registry(), kBackupKeyName));
  EXPECT_EQ(std::vector<std::string>(), before.Differences(Settings()));
}

// A second start while Velocine runs (a double click too many) ends at once
// and brings the running copy's wizard to the front, so that only one wizard
// works on the backup.
TEST_F(WholeProgramXp, ASecondStartBringsTheRunningCopyToTheFront) {
  ProgramRun program("winxp");
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  HWND sheet = OpenWizard(program, main);
  ASSERT_NE(nullptr, sheet);
  // The user has gone on to another program meanwhile.
  HWND elsewhere = CreateWindowA("STATIC", "Elsewhere",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(elsewhere);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == elsewhere; }));

  ProgramRun second("winxp");
  ASSERT_TRUE(second.Started());
  EXPECT_TRUE(second.WaitForExit()) << "the second copy ends by itself";
  EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == sheet; }))
      << "the running copy's wizard is in front";
  DestroyWindow(elsewhere);
  PressSheetButton(sheet, PSBTN_CANCEL);
  EXPECT_TRUE(program.WaitUntilGone(sheet));
}

// A command, or another program, holds the one-copy name of every session
// and shows no window: a new start says Velocine runs, in the chosen
// language, instead of ending unseen.
TEST_F(WholeProgramXp, WithNoWindowToShowASecondStartSaysVelocineRuns) {
  HANDLE held = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr,
                                   PAGE_READWRITE, 0, sizeof(DWORD),
                                   "Global\\Velocine.Running");
  ASSERT_NE(nullptr, held);
  ProgramRun second("winxp");
  HWND box = second.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Velocine is already running.", TextOf(GetDlgItem(box, 0xFFFF)));
  PostClick(box, IDOK);
  EXPECT_TRUE(second.WaitForExit());
  CloseHandle(held);
}

TEST_F(WholeProgramXp, NoToTheOverwriteQuestionKeepsTheBackupAsItWas) {
  Put(registry(), kBackupKeyName, "DefaultTTL", RegValue::Dword(99));
  ProgramRun program("winxp");
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_MAIN_RESET)));
  PostClick(main, IDC_MAIN_SET);
  HWND question = program.WaitForDialog("Alert");
  ASSERT_NE(nullptr, question);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(question, IDC_ALERT_YES)));
  PostClick(question, IDCANCEL);  // No
  ASSERT_TRUE(program.WaitUntilGone(question));
  // A sent message is answered once the program is back in a message loop:
  // the main window's own, or the wizard's, had Set gone on to open it.
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 20000,
                                  &ignored));
  EXPECT_TRUE(IsWindowEnabled(main)) << "no wizard holds the main window";
  EXPECT_EQ(nullptr, program.WaitForWindow(
                         [](HWND window) {
                           return TextOf(window).find("Step 1 of") == 0;
                         },
                         0));
  RegValue kept;
  ASSERT_TRUE(Get(registry(), kBackupKeyName, "DefaultTTL", &kept));
  EXPECT_EQ(RegValue::Dword(99), kept);
}

// The last line of the log the program keeps beside itself.
std::string LastLogLine() {
  std::string program = ProgramUnderTest();
  std::ifstream log(program.substr(0, program.find_last_of('\\') + 1) +
                    "Velocine.log");
  std::string line, last = "(no log)";
  while (std::getline(log, line)) last = line;
  return last;
}

// One command of an administrator's script and the exit code it must give.
struct CommandStep {
  std::string arguments;
  long exitCode;
};

// Runs the command without a window: it ends by itself, bad arguments
// too. The usage box, the one window a command may show and only to a
// person at the desktop, is answered with OK. Returns the exit code.
long RunCommand(const WholeRun& run, const CommandStep& step) {
  ProgramRun program(run.wineVersion, step.arguments);
  if (step.arguments == "/?") {
    HWND box = program.WaitForDialog("Velocine");
    EXPECT_NE(nullptr, box) << "the usage, for the person who asked";
    if (box) PostClick(box, IDOK);
  }
  long code = program.ExitCode();
  EXPECT_EQ(step.exitCode, code) << step.arguments << ": " << program.State();
  // The log shows a backslash of the arguments doubled.
  std::string logged;
  for (char c : step.arguments) logged += c == '\\' ? "\\\\" : std::string(1, c);
  EXPECT_NE(std::string::npos,
            LastLogLine().find("  Velocine " + logged + "  exit " +
                               std::to_string(step.exitCode) + ": "))
      << LastLogLine();
  return code;
}

// A command run that meets a drive without a disk, a library it cannot
// load or a fault of its own gets a failure back from Windows, never a box
// that waits for a click nobody gives.
TEST(CommandRunStart, WindowsShowsNoBoxOfItsOwn) {
  const UINT kQuiet =
      SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
  const UINT before = SetErrorMode(0);
  ShowNoSystemBoxes();
  EXPECT_EQ(kQuiet, SetErrorMode(before) & kQuiet);
}

class WholeProgramCommands : public WholeProgram {};

// A script's session: /set writes what Finish writes for the same choice,
// /export gives a file that regedit puts back on a changed machine, /reset
// leaves what Reset leaves; each refusal has its own exit code.
TEST_P(WholeProgramCommands, SetExportImportAndResetAsTheWizardDoes) {
  const WholeRun& run = GetParam();
  StoreScenario scenario = SeedStoreScenario(registry(), run.family, run.seed);
  scenario.record.ConnectionType = ConnectionOf(run);
  const std::string modemClass = ModemClassKeyName(run.family);
  const std::string modem = modemClass + "\\0000";
  RemoveKey(registry(), modemClass);
  Put(registry(), modem, "Properties", ModemRecord(115200));
  // Interface names other software chose: one comes back from the file,
  // the two that no regedit line can name are left out of it.
  const std::string quoted = std::string(kInterfacesKeyName) + "\\{a\"b}";
  const std::string unnamable[] = {std::string(kInterfacesKeyName) + "\\{a]b}",
                                   std::string(kInterfacesKeyName) + "\\{a\nb}"};
  if (run.family == kFamilyNT) {
    // XP reads the singular ICMP redirect value: the file puts it back too.
    Put(registry(), kTcpipKeyName, "EnableICMPRedirect", RegValue::Dword(1));
    for (const std::string& key : {quoted, unnamable[0], unnamable[1]}) {
      Put(registry(), key, "MTU", RegValue::Dword(1400));
      scenario.interfaces.push_back(key);
    }
  }
  RegistrySnapshot before = Settings();
  const std::vector<Expected> written = WrittenByFinish(run, scenario);
  std::vector<bool> existed;
  std::vector<RegValue> was;
  for (const Expected& value : written) {
    RegValue now;
    existed.push_back(Get(registry(), value.key, value.name, &now));
    was.push_back(now);
  }

  TempFolder temp("commands");
  const std::string file = temp.Write("original.reg", "");
  ASSERT_FALSE(file.empty());
  // A file of the user's own beside it, named as a half-written one might be.
  const std::string own = temp.Write("original.reg.partial", "mine");
  ASSERT_FALSE(own.empty());
  const std::string type =
      run.connectionRadio == IDC_CONNECTION_DIAL_UP ? "dialup" : "dsl";
  const std::string exportFile = "/export \"" + file + "\"";
  for (const CommandStep& step :
       std::vector<CommandStep>{{"/reset", 2}, {exportFile, 2},
                                {"/set " + type + " /reset", 1}, {"/?", 0},
                                {"/set " + type, 0},
                                // Run again, it keeps the originals.
                                {"/set " + type, 0},
                                // A device or a switch is no file to write.
                                {"/export NUL", 9}, {"/export /nomodem", 1},
                                {exportFile, 0}})
    RunCommand(run, step);
  if (run.family == kFamilyNT) {
    EXPECT_NE(std::string::npos, LastLogLine().find("left out key"))
        << LastLogLine();
  }
  std::ifstream kept(own, std::ios::binary);
  EXPECT_EQ("mine", std::string(std::istreambuf_iterator<char>(kept), {}))
      << "the export wrote over " << own;
  // A line speed that is none changes nothing, and the log says why.
  RunCommand(run, {"/set " + type + " /findmtu /speed 0", 1});
  EXPECT_NE(std::string::npos,
            LastLogLine().find("bad arguments: /speed takes the line's speed "
                               "in kbit/s"))
      << LastLogLine();

  // /set wrote what Finish writes, the modem raised with dial-up.
  for (const Expected& expected : written) {
    RegValue value;
    EXPECT_TRUE(Get(registry(), expected.key, expected.name, &value))
        << expected.key << " : " << expected.name;
    EXPECT_EQ(expected.value, value) << expected.key << " : " << expected.name;
  }
  RegValue record;
  ASSERT_TRUE(Get(registry(), modem, "Properties", &record));
  EXPECT_EQ(ModemRecord(run.connectionRadio == IDC_CONNECTION_DIAL_UP ? 921600
                                                                       : 115200),
            record);

  // Another program changes every value; regedit puts back each one that
  // existed, but for the interfaces the file could not name and a 9x MaxMTU
  // of "0", which the backup keeps as its mark of an absent value.
  for (const Expected& value : written)
    Put(registry(), value.key, value.name, RegValue::Dword(7));
  ChildProcess regedit("regedit /s \"" + file + "\"");
  ASSERT_TRUE(regedit.WaitForExit(20000));
  for (size_t i = 0; i < written.size(); ++i) {
    bool leftOut = written[i].key == unnamable[0] ||
                   written[i].key == unnamable[1] ||
                   (written[i].name == "MaxMTU" && IsNoMtuMarker(was[i]));
    RegValue value;
    ASSERT_TRUE(Get(registry(), written[i].key, written[i].name, &value));
    RegValue wanted = existed[i] && !leftOut ? was[i] : RegValue::Dword(7);
    // The 95/98/Me family keeps a string up to its NUL, as the backup did.
    if (run.family == kFamily9x) {
      wanted = AsStoredBy9x(wanted);
      value = AsStoredBy9x(value);
    }
    EXPECT_EQ(wanted, value)
        << written[i].key << " : " << written[i].name << " holds "
        << ::testing::PrintToString(value.data);
  }

  // Velocine open in a window: the command does not write under it.
  {
    ProgramRun open(run.wineVersion);
    ASSERT_NE(nullptr, open.WaitForDialog("Velocine"));
    RunCommand(run, {"/reset", 7});
  }
  RunCommand(run, {"/reset", 0});
  EXPECT_FALSE(KeyExists(registry(), kBackupKeyName));
  ExpectResetToBefore(run.family, before, scenario);
}

INSTANTIATE_TEST_SUITE_P(
    EachFamily, WholeProgramCommands,
    ::testing::Values(WholeRun{"win98", kFamily9x, IDC_CONNECTION_DSL, false,
                               41, false},
                      WholeRun{"winxp", kFamilyNT, IDC_CONNECTION_DIAL_UP,
                               true, 42, false}),
    [](const ::testing::TestParamInfo<WholeRun>& info) {
      return Name(info.param);
    });

}  // namespace
}  // namespace velo
