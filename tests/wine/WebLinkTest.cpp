// The web link on a real dialog: its colours by state, the mouse capture
// while hovering, the tooltip, the cursor and the click.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "AnsweredColours.h"
#include "ModalDriver.h"
#include "app/WebLink.h"
#include "framework/Dialog.h"
#include "res/resource.h"

namespace velo {
namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kVisited = RGB(0, 13, 0);

// Any dialog with a static text will do; the alert box has one.
class LinkHost : public Dialog {
 public:
  LinkHost() : Dialog(IDD_ALERT) {}
  CWebLink link;

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    exchange.Bind(IDC_ALERT_TEXT, link);
  }
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
  if (ClassOf(window) == TOOLTIPS_CLASSA)
    *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

class WebLink : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, host_.CreateModeless(nullptr));
    link_ = host_.Item(IDC_ALERT_TEXT);
    SetWindowTextA(link_, "a link");
  }
  void TearDown() override { DestroyWindow(host_.Hwnd()); }

  COLORREF ColourDrawn() {
    AnsweredColours colours =
        ColoursAnswered(host_.Hwnd(), WM_CTLCOLORSTATIC, link_);
    EXPECT_EQ(GetStockObject(NULL_BRUSH), colours.brush);
    return colours.text;
  }
  void MoveMouse(int x, int y) {
    SendMessageA(link_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }
  std::string TooltipText() {
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindTooltip,
                      reinterpret_cast<LPARAM>(&tip));
    char text[128] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = link_;
    tool.uId = 1001;
    tool.lpszText = text;
    if (tip) SendMessageA(tip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return text;
  }

  LinkHost host_;
  HWND link_ = nullptr;
};

TEST_F(WebLink, IsAnUnderlinedNotifyingStaticWithAPointer) {
  EXPECT_TRUE(GetWindowLongA(link_, GWL_STYLE) & SS_NOTIFY);
  LOGFONTA font = {};
  HFONT current = reinterpret_cast<HFONT>(SendMessageA(link_, WM_GETFONT, 0, 0));
  ASSERT_TRUE(GetObjectA(current, sizeof font, &font));
  EXPECT_TRUE(font.lfUnderline);
  // The pointer is looked up when it first comes over the link; whether or
  // not the help program's hand is there, a cursor is shown.
  EXPECT_EQ(nullptr, host_.link.Cursor());
  SendMessageA(link_, WM_SETCURSOR, reinterpret_cast<WPARAM>(link_),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(nullptr, host_.link.Cursor());
  EXPECT_EQ(host_.link.Cursor(), GetCursor());
}

TEST_F(WebLink, HoveringCapturesTheMouseUntilItLeaves) {
  host_.link.SetVisitedColour(kVisited);
  EXPECT_EQ(kRed, ColourDrawn());
  MoveMouse(2, 2);
  EXPECT_TRUE(host_.link.IsOver());
  EXPECT_EQ(link_, GetCapture());
  MoveMouse(3, 3);
  EXPECT_TRUE(host_.link.IsOver());
  EXPECT_EQ(link_, GetCapture());
  MoveMouse(-5, -5);
  EXPECT_FALSE(host_.link.IsOver());
  EXPECT_NE(link_, GetCapture());
}

TEST_F(WebLink, AClickMarksItVisitedEvenWhenTheShellFails) {
  host_.link.SetVisitedColour(kVisited);
  host_.link.SetURL("Z:\\velocine-test-no-such-page.html");
  EXPECT_FALSE(CWebLink::OpenURL("Z:\\velocine-test-no-such-page.html"));
  SendMessageA(host_.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ALERT_TEXT, STN_CLICKED),
               reinterpret_cast<LPARAM>(link_));
  EXPECT_TRUE(host_.link.IsVisited());
  EXPECT_EQ(kVisited, ColourDrawn());
  MoveMouse(2, 2);
  EXPECT_EQ(kVisited, ColourDrawn()) << "hovering a visited link";
  MoveMouse(-5, -5);
}

TEST_F(WebLink, TooltipTextTakesEffectOnlyOnceTooltipsAreOn) {
  host_.link.SetTooltipText("too early");
  EXPECT_EQ("", TooltipText());
  host_.link.SetUseTooltip(true);
  host_.link.SetTooltipText("Click here");
  EXPECT_EQ("Click here", TooltipText());
}

}  // namespace
}  // namespace velo
