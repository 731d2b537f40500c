// The text check's own measure, on windows made for it: a text that fits
// passes; one cut at the bottom or the side, one that runs off its window
// and one that runs under another control are named; pictures, frames,
// empty and hidden statics are not measured. A button's text is measured
// in the part of the button it is drawn in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextFit.h"

namespace velo {
namespace {

class TextMeasure : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                              200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window_);
    HDC dc = GetDC(window_);
    HGDIOBJ before = SelectObject(dc, Font());
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(window_, dc);
    line_ = metrics.tmHeight;
  }
  void TearDown() override { DestroyWindow(window_); }

  static HGDIOBJ Font() { return GetStockObject(DEFAULT_GUI_FONT); }

  HWND Add(const char* kind, const char* text, DWORD style, int id, int x,
           int y, int width, int height) {
    HWND control = CreateWindowExA(
        0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
  }

  TextFitCheck Measured() {
    TextFitCheck check;
    MeasureTexts(window_, "test window", &check);
    return check;
  }

  HWND window_ = nullptr;
  int line_ = 0;
};

TEST_F(TextMeasure, TextsWithRoomPass) {
  Add("Static", "One line", SS_LEFT, 1, 10, 10, 200, line_);
  Add("Static", "Two\nlines", SS_CENTER, 2, 10, 40, 200, 2 * line_);
  TextFitCheck check = Measured();
  EXPECT_EQ(2, check.measured);
  EXPECT_EQ(std::vector<std::string>(), check.misfits);
}

TEST_F(TextMeasure, ATextCutAtTheBottomOrTheSideIsNamedWithItsLastLine) {
  Add("Static", "First line\nsecond line", SS_LEFT, 7, 10, 10, 200, line_);
  Add("Static", "Unbreakablewordthatisfartoolong", SS_LEFT, 8, 10, 60, 30,
      3 * line_);
  TextFitCheck check = Measured();
  ASSERT_EQ(2u, check.misfits.size());
  EXPECT_EQ(0u, check.misfits[0].find("test window: control 7 needs "))
      << check.misfits[0];
  EXPECT_NE(std::string::npos, check.misfits[0].find(
                                   " x " + std::to_string(line_) + ", last line 'second line'"))
      << check.misfits[0];
  EXPECT_EQ(0u, check.misfits[1].find("test window: control 8 needs "))
      << check.misfits[1];
}

TEST_F(TextMeasure, ATextOffItsWindowOrUnderAnotherControlIsNamed) {
  Add("Static", "Beyond the right edge of the window", SS_LEFT, 3, 350, 10,
      300, line_);
  Add("Static", "Under the button", SS_LEFT, 4, 10, 60, 200, line_);
  Add("Button", "OK", BS_PUSHBUTTON, 5, 50, 60, 60, 2 * line_);
  TextFitCheck check = Measured();
  EXPECT_EQ((std::vector<std::string>{
                "test window: control 3 runs off the window, last line "
                "'Beyond the right edge of the window'",
                "test window: control 4 runs under control 5, last line "
                "'Under the button'"}),
            check.misfits);
}

TEST_F(TextMeasure, OnlyVisibleTextsAreMeasuredAndEmptyStaticsHideNothing) {
  Add("Static", "", SS_LEFT, 1, 10, 10, 50, 50);  // drawn over by the next
  Add("Static", "A text", SS_LEFT, 2, 10, 10, 200, line_);
  Add("Static", "", SS_ETCHEDHORZ, 3, 10, 100, 200, 2);
  Add("Static", "Hidden and far too long for its little box", SS_LEFT, 4, 10,
      120, 20, line_);
  ShowWindow(GetDlgItem(window_, 4), SW_HIDE);
  TextFitCheck check = Measured();
  EXPECT_EQ(1, check.measured);
  EXPECT_EQ(std::vector<std::string>(), check.misfits);
}

// The width `text` takes on one line in the window's font.
int TextWidth(HWND window, const char* text) {
  HDC dc = GetDC(window);
  HGDIOBJ before = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, before);
  ReleaseDC(window, dc);
  return size.cx;
}

TEST_F(TextMeasure, AButtonsTextMustFitBesideItsBoxOrInsideItsFrame) {
  const char* kText = "Disable it";
  const int width = TextWidth(window_, kText);
  // As wide as the text: room for the text, none for the box beside it.
  Add("Button", kText, BS_AUTOCHECKBOX, 1, 10, 10, width + 2, 2 * line_);
  Add("Button", kText, BS_AUTORADIOBUTTON, 2, 10, 40, width + 40, 2 * line_);
  Add("Button", kText, BS_PUSHBUTTON, 3, 10, 70, width + 2, 2 * line_);
  Add("Button", kText, BS_DEFPUSHBUTTON, 4, 200, 70, width + 20, 2 * line_);
  Add("Button", kText, BS_GROUPBOX, 5, 200, 100, width + 4, 3 * line_);
  Add("Button", kText, BS_GROUPBOX, 6, 200, 150, width + 20, 2 * line_);
  Add("Button", kText, BS_OWNERDRAW, 7, 10, 150, 5, 5);
  TextFitCheck check = Measured();
  EXPECT_EQ(6, check.measured) << "an owner-drawn button draws its own";
  ASSERT_EQ(3u, check.misfits.size());
  for (size_t i = 0; i < 3; ++i)
    EXPECT_NE(std::string::npos, check.misfits[i].find("last line 'Disable it'"));
  EXPECT_EQ(0u, check.misfits[0].find("test window: control 1 needs "));
  EXPECT_EQ(0u, check.misfits[1].find("test window: control 3 needs "));
  EXPECT_EQ(0u, check.misfits[2].find("test window: control 5 needs "));
}

TEST(TextMeasureWithoutWindow, AWindowThatNeverShowedIsNamed) {
  TextFitCheck check;
  MeasureTexts(nullptr, "About box", &check);
  EXPECT_EQ(std::vector<std::string>{"About box: not shown"}, check.misfits);
}

}  // namespace
}  // namespace velo
