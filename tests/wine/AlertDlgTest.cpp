// The alert box for real: which buttons show, what each way of closing it
// returns, and what it hands to the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include "AnsweredColours.h"
#include "ModalDriver.h"
#include "app/AlertDlg.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "res/resource.h"
#include "support/RecordingSkin.h"

namespace velo {
namespace {

bool Visible(HWND dialog, int id) {
  return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

struct Seen {
  std::string caption, text;
  bool ok = false, yes = false, no = false;
  // The windows as numbers, as the skin receives them.
  int32_t dialog = 0, textWindow = 0, okWindow = 0, yesWindow = 0,
          noWindow = 0;
};

// Shows the alert and closes it with `close`; returns the result.
int RunAlert(const std::string& text, bool okOnly,
             std::function<void(HWND)> close, Seen* seen) {
  ModalDriver driver([&](HWND dialog) {
    seen->dialog = HandleToLong(dialog);
    seen->textWindow = HandleToLong(GetDlgItem(dialog, IDC_ALERT_TEXT));
    seen->okWindow = HandleToLong(GetDlgItem(dialog, IDOK));
    seen->yesWindow = HandleToLong(GetDlgItem(dialog, IDC_ALERT_YES));
    seen->noWindow = HandleToLong(GetDlgItem(dialog, IDCANCEL));
    seen->caption = TextOf(dialog);
    seen->text = TextOf(GetDlgItem(dialog, IDC_ALERT_TEXT));
    seen->ok = Visible(dialog, IDOK);
    seen->yes = Visible(dialog, IDC_ALERT_YES);
    seen->no = Visible(dialog, IDCANCEL);
    close(dialog);
  });
  return App().Alert(text, okOnly);
}

TEST(AlertBox, InformationShowsOkAloneAndEnterAnswersOne) {
  Seen seen;
  int result = RunAlert("Line one\nline two", true,
                        [](HWND dialog) { PressKey(dialog, VK_RETURN); }, &seen);
  EXPECT_EQ(kAlertYes, result);
  EXPECT_EQ("Alert", seen.caption);
  EXPECT_EQ("Line one\nline two", seen.text);
  EXPECT_TRUE(seen.ok);
  EXPECT_FALSE(seen.yes);
  EXPECT_FALSE(seen.no);
}

TEST(AlertBox, QuestionShowsYesAndNoAndEachWayOfClosingAnswers) {
  Seen seen;
  EXPECT_EQ(kAlertNo, RunAlert("Proceed?", false,
                               [](HWND d) { PressKey(d, VK_ESCAPE); }, &seen));
  EXPECT_FALSE(seen.ok);
  EXPECT_TRUE(seen.yes);
  EXPECT_TRUE(seen.no);
  EXPECT_EQ(kAlertYes, RunAlert("Proceed?", false,
                                [](HWND d) { ClickButton(d, IDC_ALERT_YES); },
                                &seen));
  EXPECT_EQ(kAlertNo, RunAlert("Proceed?", false,
                               [](HWND d) { ClickButton(d, IDCANCEL); }, &seen));
  EXPECT_EQ(kAlertNo, RunAlert("Proceed?", false,
                               [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); },
                               &seen));
}

TEST(AlertBox, IsSkinnedOnlyOnceTheMainWindowExists) {
  RecordingSkin recorder;
  Seen seen;
  ASSERT_EQ(nullptr, App().m_pMainDlg);
  RunAlert("plain", true, [](HWND d) { PressKey(d, VK_RETURN); }, &seen);

  CTunerDlg main(&recorder, &recorder);
  App().m_pMainDlg = &main;
  RunAlert("skinned", true, [](HWND d) { PressKey(d, VK_RETURN); }, &seen);
  App().m_pMainDlg = nullptr;

  std::vector<SkinCall> expected = {
      {"SkinElement", seen.dialog, "MsgSkin"},
      {"SkinElement", seen.textWindow, "Label"},
      {"SkinElement", seen.okWindow, "Small Button"},
      {"SkinElement", seen.yesWindow, "Small Button"},
      {"SkinElement", seen.noWindow, "Small Button"}};
  EXPECT_EQ(expected, recorder.calls);
}

TEST(AlertBox, IsDrawnInTheProgramsColours) {
  AnsweredColours colours = {nullptr, 0, 0xffffff};
  ModalDriver driver([&](HWND dialog) {
    colours = ColoursAnswered(dialog, WM_CTLCOLORSTATIC,
                              GetDlgItem(dialog, IDC_ALERT_TEXT));
    PressKey(dialog, VK_RETURN);
  });
  App().Alert("colours", true);
  EXPECT_EQ(RGB(229, 229, 229), colours.background);
  EXPECT_EQ(RGB(0, 0, 0), colours.text);
}

}  // namespace
}  // namespace velo
