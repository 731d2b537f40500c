// The text check's own measure, on windows made for it: a text that fits
// passes; one cut at the bottom or the side, one that runs off its window
// and one that runs under another control are named; pictures, frames,
// empty and hidden statics are not measured. A button's text is measured
// in the part of the button it is drawn in. A character its control's font
// has no glyph for is named, in a raster font as in a TrueType one, and in
// the items of a ComboBoxEx list as in texts.
#include <windows.h>
#include <commctrl.h>

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

// An 8-point font of `face` made for the test, with the kind the system
// realized it as: raster, or TrueType.
class TestFont {
 public:
  explicit TestFont(const char* face) {
    LOGFONTA wanted;
    ZeroMemory(&wanted, sizeof wanted);
    wanted.lfHeight = -11;
    wanted.lfCharSet = ANSI_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    font_ = CreateFontIndirectA(&wanted);
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font_);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    kind_ = metrics.tmPitchAndFamily & TMPF_TRUETYPE ? "TrueType"
            : metrics.tmPitchAndFamily & TMPF_VECTOR ? "vector"
                                                     : "raster";
  }
  ~TestFont() { DeleteObject(font_); }
  HFONT Get() const { return font_; }
  const char* Kind() const { return kind_; }

 private:
  HFONT font_;
  const char* kind_;
};

class TextGlyphs : public TextMeasure {
 protected:
  // A static text in Unicode, so that it holds characters of any code page.
  void AddText(const wchar_t* text, const TestFont& font, int id, int y) {
    HWND control = CreateWindowExW(
        0, L"Static", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, y, 380,
        2 * line_, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  }

  TestFont raster_{"MS Sans Serif"};
  TestFont trueType_{"Tahoma"};
};

TEST_F(TextGlyphs, EachCharacterTheFontCannotDrawIsNamedOnceInRasterAndTrueType) {
  ASSERT_STREQ("raster", raster_.Kind());
  ASSERT_STREQ("TrueType", trueType_.Kind());
  AddText(L"Ok \x65E5", raster_, 1, 10);
  AddText(L"\x416\x65E5\x672C\x65E5", trueType_, 2, 40);
  AddText(L"\x416 \xE9 Ok", trueType_, 3, 70);
  AddText(L"Ok!", raster_, 4, 100);
  TextFitCheck check = Measured();
  EXPECT_EQ(4, check.measured);
  EXPECT_EQ((std::vector<std::string>{
                "test window: control 1 cannot draw '\xE6\x97\xA5' (U+65E5) in "
                "'MS Sans Serif'",
                "test window: control 2 cannot draw '\xE6\x97\xA5' (U+65E5), "
                "'\xE6\x9C\xAC' (U+672C) in 'Tahoma'"}),
            check.misfits);
}

TEST_F(TextGlyphs, ListItemsAreAskedInTheFontTheListDrawsThemIn) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_USEREX_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  HWND list = CreateWindowExW(
      0, WC_COMBOBOXEXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10,
      200, 100, window_, reinterpret_cast<HMENU>(9), nullptr, nullptr);
  ASSERT_NE(nullptr, list);
  // The findings name the face: the items were asked in the font given to
  // the list, not in the list's own default.
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(raster_.Get()), FALSE);
  const wchar_t* names[] = {L"English", L"\x65E5\x672C"};
  for (int index = 0; index < 2; ++index) {
    COMBOBOXEXITEMW item;
    ZeroMemory(&item, sizeof item);
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(names[index]);
    SendMessageW(list, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(list, CB_SETCURSEL, 0, 0);
  TextFitCheck check = Measured();
  EXPECT_EQ(2, check.listItems);
  EXPECT_EQ((std::vector<std::string>{
                "test window: control 9 item 1 cannot draw '\xE6\x97\xA5' "
                "(U+65E5), '\xE6\x9C\xAC' (U+672C) in 'MS Sans Serif'"}),
            check.misfits);
}

TEST(TextMeasureWithoutWindow, AWindowThatNeverShowedIsNamed) {
  TextFitCheck check;
  MeasureTexts(nullptr, "About box", &check);
  EXPECT_EQ(std::vector<std::string>{"About box: not shown"}, check.misfits);
}

}  // namespace
}  // namespace velo
