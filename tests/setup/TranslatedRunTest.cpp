// The installed Velocine in the language setup chose for this Windows's
// locale, walked as a user would: main window, About box, every step of the
// wizard to Finish, the closing message, Reset. Each window's texts (the
// alert's and the About box's captions too) are the language file's, in the code page the locale gives (Russian in 1251 and
// Japanese in 932 under the test script), and a picture of each is saved.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "SetupTest.h"
#include "SetupUnderTest.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"

namespace velo {
namespace {

// The language file's text for `key` as the program shows it: every "*" a
// line break. Read with the system's own INI reader, so independently of
// the program's.
std::string Expected(const std::string& file, const std::string& key) {
  char text[2000] = "";
  GetPrivateProfileStringA("Lanvora", key.c_str(), "(missing)", text,
                           sizeof text, file.c_str());
  std::string shown = text;
  for (char& c : shown)
    if (c == '*') c = '\n';
  return shown;
}

class TranslatedRun : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(0u, Install());
    SetEnvironmentVariableA("VELO_EXE", (folder_ + "\\Velocine.exe").c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("VELO_EXE", nullptr);
    SetupTest::TearDown();
  }
  std::string Text(const std::string& key) {
    return Expected(folder_ + "\\Lang\\" + expectedLanguage_ + ".ini", key);
  }
  void Picture(HWND window, const std::string& what) {
    SaveScreenshot(window, "translated-" + run_ + "-" + what);
  }
  // Answers the alert that shows next with OK; returns its message.
  std::string AnswerAlert(const ProgramRun& program, const std::string& what) {
    HWND alert = program.WaitForDialog(Text("47"));
    if (!alert) return "(no alert)";
    std::string text = TextOf(GetDlgItem(alert, IDC_ALERT_TEXT));
    Picture(alert, what);
    PostClick(alert, IDOK);
    program.WaitUntilGone(alert);
    return text;
  }
};

TEST_F(TranslatedRun, EveryWindowShowsTheChosenLanguage) {
  bool family9x = version_ == "win95" || version_ == "win98" ||
                  version_ == "winme";
  ProgramRun program(version_);
  HWND main = program.WaitForDialog("Velocine");
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(Text("IDC_static_Introduction"),
            TextOf(GetDlgItem(main, IDC_MAIN_INTRODUCTION)));
  EXPECT_EQ(Text("IDC_HINT"), TextOf(GetDlgItem(main, IDC_MAIN_HINT)));
  EXPECT_EQ(Text("IDC_SET_SETTINGS"), TextOf(GetDlgItem(main, IDC_MAIN_SET)));
  Picture(main, "main");

  PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  HWND about = program.WaitForDialog(Text("48"));
  ASSERT_NE(nullptr, about);
  Picture(about, "about");
  PostClick(about, IDOK);
  ASSERT_TRUE(program.WaitUntilGone(about));

  const int steps = family9x ? 6 : 8;
  const int firstTitle = family9x ? 30 : 21;
  PostClick(main, IDC_MAIN_SET);
  HWND sheet = program.WaitForDialog(Text(std::to_string(firstTitle)));
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ(Text("ID_WIZNEXT"), TextOf(GetDlgItem(sheet, kWizardNext)));
  PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_CONNECTION_LAN), BM_CLICK,
               0, 0);
  for (int step = 0; step < steps; ++step) {
    std::string title = Text(std::to_string(firstTitle + step));
    ASSERT_TRUE(WaitForCaption(sheet, title)) << "step " << step + 1;
    Picture(sheet, "page" + std::to_string(step + 1));
    if (step + 1 < steps) {
      PressSheetButton(sheet, PSBTN_NEXT);
      WaitForCaptionChange(sheet, title);
    }
  }
  ASSERT_TRUE(WaitUntilUsable(GetDlgItem(sheet, kWizardFinish)));
  PressSheetButton(sheet, PSBTN_FINISH);
  // A fresh machine has no network card where Velocine looks for one: the
  // message says, in the same language, that the MTU and MSS were left alone.
  EXPECT_EQ(Text("41") + "\n" + Text("56"),
            AnswerAlert(program, "closing-message"));

  ASSERT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET)));
  PostClick(main, IDC_MAIN_RESET);
  EXPECT_EQ(Text("42"), AnswerAlert(program, "reset-done"));
}

}  // namespace
}  // namespace velo
