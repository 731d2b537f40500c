#include "TextFit.h"

#include "ModalDriver.h"
#include "framework/WindowRect.h"

namespace velo {

namespace {

// The DrawText flags a static control of `style` draws its text with; 0 for
// statics that show a picture, an icon or a frame instead.
UINT TextFlags(LONG style) {
  UINT flags;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT: flags = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_CENTER: flags = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_RIGHT: flags = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK; break;
    case SS_SIMPLE: flags = DT_LEFT | DT_SINGLELINE | DT_VCENTER; break;
    case SS_LEFTNOWORDWRAP: flags = DT_LEFT | DT_EXPANDTABS; break;
    default: return 0;
  }
  if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
  return flags;
}

// The size `text` takes in `control`'s font when broken at its width.
SIZE NeededSize(HWND control, const std::string& text, UINT flags,
                LONG width) {
  HDC dc = GetDC(control);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
  HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
  RECT needed = {0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &needed, flags | DT_CALCRECT);
  if (before) SelectObject(dc, before);
  ReleaseDC(control, dc);
  return {needed.right - needed.left, needed.bottom - needed.top};
}

// Where in a control `width` pixels wide the text of `size` is drawn.
RECT TextArea(UINT flags, LONG width, SIZE size) {
  LONG left = 0;
  if (flags & DT_CENTER) left = (width - size.cx) / 2;
  else if (flags & DT_RIGHT) left = width - size.cx;
  return {left, 0, left + size.cx, size.cy};
}

std::string SizeText(LONG width, LONG height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// A rectangle of `window`'s client area in its parent's client coordinates.
RECT InParent(HWND window, RECT rect) {
  MapWindowPoints(window, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Whether a sibling draws anything a text could hide behind: not an empty
// text, not a hidden window.
bool DrawsSomething(HWND sibling) {
  if (!IsWindowVisible(sibling)) return false;
  if (ClassOf(sibling) != "Static") return true;
  return !TextFlags(GetWindowLongA(sibling, GWL_STYLE)) || !TextOf(sibling).empty();
}

// The sibling of `control` whose area the text's area runs into, or null.
HWND Covering(HWND control, const RECT& textArea) {
  HWND parent = GetParent(control);
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == control || !DrawsSomething(sibling)) continue;
    RECT theirs = WindowRectIn(sibling, GetParent(sibling)), overlap;
    if (IntersectRect(&overlap, &textArea, &theirs)) return sibling;
  }
  return nullptr;
}

struct Visit {
  const std::string* name;
  TextFitCheck* check;
};

void Measure(HWND control, const Visit& visit) {
  const UINT flags = TextFlags(GetWindowLongA(control, GWL_STYLE));
  const std::string text = TextOf(control);
  if (!flags || text.empty()) return;
  ++visit.check->measured;
  RECT has;
  GetClientRect(control, &has);
  const SIZE needs = NeededSize(control, text, flags, has.right);
  const std::string where = *visit.name + ": control " +
                            std::to_string(GetDlgCtrlID(control)) + " ";
  // The last line tells the text and is the first to be cut.
  const std::string shown = ", last line '" + text.substr(text.rfind('\n') + 1) + "'";
  if (needs.cx > has.right || needs.cy > has.bottom) {
    visit.check->misfits.push_back(where + "needs " + SizeText(needs.cx, needs.cy) +
                                   " pixels, has " + SizeText(has.right, has.bottom) +
                                   shown);
    return;
  }
  RECT textArea = InParent(control, TextArea(flags, has.right, needs)), window;
  GetClientRect(GetParent(control), &window);
  RECT inside;
  IntersectRect(&inside, &textArea, &window);
  if (!EqualRect(&inside, &textArea))
    visit.check->misfits.push_back(where + "runs off the window" + shown);
  else if (HWND sibling = Covering(control, textArea))
    visit.check->misfits.push_back(where + "runs under control " +
                                   std::to_string(GetDlgCtrlID(sibling)) + shown);
}

BOOL CALLBACK VisitControl(HWND control, LPARAM param) {
  if (IsWindowVisible(control) && ClassOf(control) == "Static")
    Measure(control, *reinterpret_cast<Visit*>(param));
  return TRUE;
}

}  // namespace

void MeasureTexts(HWND window, const std::string& name, TextFitCheck* check) {
  if (!window) {
    check->misfits.push_back(name + ": not shown");
    return;
  }
  Visit visit = {&name, check};
  EnumChildWindows(window, &VisitControl, reinterpret_cast<LPARAM>(&visit));
}

}  // namespace velo
