// The real Velocine.exe started as each Windows that Wine can pretend to be:
// the supported ones open the main window, the others show the version
// alert and end without one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ModalDriver.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "res/resource.h"

namespace velo {
namespace {

struct StartupCase {
  const char* wineVersion;  // "" for Wine's own default
  bool supported;
};

class StartupVersion : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupVersion, OpensTheMainWindowOnlyOnASupportedWindows) {
  if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
  const std::string version = GetParam().wineVersion;
  ProgramRun program(version);
  ASSERT_TRUE(program.Started());
  HWND first = program.WaitForWindow(
      [](HWND window) { return ClassOf(window) == "#32770"; });
  ASSERT_NE(nullptr, first);
  if (GetParam().supported) {
    EXPECT_EQ("Velocine", TextOf(first));
    EXPECT_NE(nullptr, GetDlgItem(first, IDC_MAIN_SET));
    if (version == "winxp") SaveScreenshot(first, "main-english");
    PostMessageA(first, WM_CLOSE, 0, 0);
  } else {
    EXPECT_EQ("Alert", TextOf(first));
    EXPECT_EQ("Failed to detect your Windows version so we can't boost your "
              "connection.",
              TextOf(GetDlgItem(first, IDC_ALERT_TEXT)));
    if (version == "vista") SaveScreenshot(first, "alert-unknown-version");
    PostMessageA(first, WM_COMMAND, IDOK, 0);
  }
  EXPECT_TRUE(program.WaitForExit()) << "the program ends when its window closes";
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
