// The real Velocine.exe started as each Windows that Wine can pretend to be:
// the supported ones open the main window, the others show the version
// alert and end without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ModalDriver.h"
#include "Screenshot.h"
#include "registry/RegKey.h"
#include "registry/Win32Registry.h"
#include "res/resource.h"

namespace velo {
namespace {

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velocine.exe";

struct StartupCase {
  const char* wineVersion;  // "" for Wine's own default
  bool supported;
};

// The program under test; the test scripts name it in VELO_EXE.
std::string ProgramPath() {
  char path[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("VELO_EXE", path, sizeof path);
  return length > 0 && length < sizeof path ? path : "";
}

struct FoundWindow {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM param) {
  FoundWindow* found = reinterpret_cast<FoundWindow*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == found->process && IsWindowVisible(window) &&
      ClassOf(window) == "#32770") {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

// The first visible dialog of the process, waiting up to 20 seconds.
HWND WaitForDialog(DWORD process) {
  for (int i = 0; i < 400; ++i) {
    FoundWindow found = {process, nullptr};
    EnumWindows(&FindProcessDialog, reinterpret_cast<LPARAM>(&found));
    if (found.window) return found.window;
    Sleep(50);
  }
  return nullptr;
}

class StartupVersion : public ::testing::TestWithParam<StartupCase> {
 protected:
  void SetUp() override {
    program_ = ProgramPath();
    if (program_.empty()) GTEST_SKIP() << "VELO_EXE does not name Velocine.exe";
    RegKey key(registry_);
    ASSERT_EQ(kRegOk, key.Create(kHkeyCurrentUser, kAppDefaults, kAccessReadWrite));
    if (*GetParam().wineVersion)
      ASSERT_EQ(kRegOk, key.Write("Version", RegValue::Text(GetParam().wineVersion)));
    else
      key.Delete("Version");
  }
  void TearDown() override {
    registry_.DeleteTree(kHkeyCurrentUser, kAppDefaults);
  }

  Win32Registry registry_;
  std::string program_;
};

TEST_P(StartupVersion, OpensTheMainWindowOnlyOnASupportedWindows) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + program_ + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &process));
  HWND first = WaitForDialog(process.dwProcessId);
  ASSERT_NE(nullptr, first);
  if (GetParam().supported) {
    EXPECT_EQ("Velocine", TextOf(first));
    EXPECT_NE(nullptr, GetDlgItem(first, IDC_MAIN_SET));
    if (std::string(GetParam().wineVersion) == "winxp")
      SaveScreenshot(first, "main-english");
    PostMessageA(first, WM_CLOSE, 0, 0);
  } else {
    EXPECT_EQ("Alert", TextOf(first));
    EXPECT_EQ("Failed to detect your Windows version so we can't boost your "
              "connection.",
              TextOf(GetDlgItem(first, IDC_ALERT_TEXT)));
    if (std::string(GetParam().wineVersion) == "vista")
      SaveScreenshot(first, "alert-unknown-version");
    PostMessageA(first, WM_COMMAND, IDOK, 0);
  }
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000))
      << "the program ends when its window closes";
  if (!GetParam().supported) {
    FoundWindow after = {process.dwProcessId, nullptr};
    EnumWindows(&FindProcessDialog, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(nullptr, after.window) << "no main window after the alert";
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWineVersion, StartupVersion,
    ::testing::Values(StartupCase{"win95", true}, StartupCase{"win98", true},
                      StartupCase{"winme", true}, StartupCase{"nt40", true},
                      StartupCase{"win2k", true}, StartupCase{"winxp", true},
                      StartupCase{"win2003", true}, StartupCase{"vista", false},
                      StartupCase{"", false}),
    [](const ::testing::TestParamInfo<StartupCase>& info) {
      return std::string(*info.param.wineVersion ? info.param.wineVersion
                                                 : "WineDefault");
    });

}  // namespace
}  // namespace velo
