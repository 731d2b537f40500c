#include "TextFit.h"

#include <commctrl.h>

#include "MissingGlyphs.h"
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

// A device context of `control` with its font (or `font`) selected.
class ControlDC {
 public:
  explicit ControlDC(HWND control, HGDIOBJ font = nullptr)
      : control_(control), dc_(GetDC(control)) {
    if (!font)
      font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    before_ = font ? SelectObject(dc_, font) : nullptr;
  }
  ~ControlDC() {
    if (before_) SelectObject(dc_, before_);
    ReleaseDC(control_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND control_;
  HDC dc_;
  HGDIOBJ before_;
};

// The size `text` takes in `control`'s font when broken at its width.
SIZE NeededSize(HWND control, const std::string& text, UINT flags,
                LONG width) {
  ControlDC dc(control);
  RECT needed = {0, 0, width, 0};
  DrawTextA(dc.Get(), text.c_str(), -1, &needed, flags | DT_CALCRECT);
  return {needed.right - needed.left, needed.bottom - needed.top};
}

// Narrows `area`, a button's client area, to where a button of `style` draws
// its text, as the system's buttons lay it out: a push button inside its frame, a check
// box or radio button beside its box (12 pixels at 96 dpi, scaled, then
// half the width of a digit), a group box's title 7 pixels in from each
// side. Its DrawText flags are 0 for a button that shows no text.
UINT ButtonTextPlace(HWND button, LONG style, RECT* area) {
  const bool multiline = (style & BS_MULTILINE) != 0;
  UINT lines = multiline ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      InflateRect(area, -4, -4);
      return DT_CENTER | lines;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      ControlDC dc(button);
      INT digit = 0;
      GetCharWidthA(dc.Get(), '0', '0', &digit);
      int box = 12 * GetDeviceCaps(dc.Get(), LOGPIXELSX) / 96 + 1;
      if (style & BS_LEFTTEXT)
        area->right -= box + digit / 2;
      else
        area->left += box + digit / 2;
      return DT_LEFT | lines;
    }
    case BS_GROUPBOX:
      InflateRect(area, -7, 0);
      return DT_LEFT | DT_SINGLELINE;
    default:
      return 0;
  }
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

// Whether `textArea`, in `control`'s client coordinates, reaches past the
// window that holds the control: a control placed beyond its dialog's edge,
// or a wizard page cut by a sheet that sized it in another font.
bool RunsOffTheWindow(HWND control, const RECT& textArea) {
  const RECT inParent = InParent(control, textArea);
  RECT window, inside;
  GetClientRect(GetParent(control), &window);
  IntersectRect(&inside, &inParent, &window);
  return !EqualRect(&inside, &inParent);
}

struct Visit {
  const std::string* name;
  TextFitCheck* check;
};

// Whether `text` fits in `area` of `control`; a misfit is reported under
// `where`.
bool Fits(HWND control, const std::string& text, UINT flags, const RECT& area,
          const std::string& where, const std::string& shown,
          TextFitCheck* check) {
  ++check->measured;
  const LONG width = area.right - area.left, height = area.bottom - area.top;
  const SIZE needs = NeededSize(control, text, flags, width);
  if (needs.cx <= width && needs.cy <= height) return true;
  check->misfits.push_back(where + "needs " + SizeText(needs.cx, needs.cy) +
                           " pixels, has " + SizeText(width, height) + shown);
  return false;
}

std::string Where(HWND control, const Visit& visit) {
  return *visit.name + ": control " + std::to_string(GetDlgCtrlID(control)) + " ";
}

// The last line tells the text and is the first to be cut.
std::string Shown(const std::string& text) {
  return ", last line '" + text.substr(text.rfind('\n') + 1) + "'";
}

// The text of `window` as the system holds it, in Unicode.
std::wstring WideTextOf(HWND window) {
  wchar_t text[4096] = L"";
  SendMessageW(window, WM_GETTEXT, sizeof text / sizeof *text,
               reinterpret_cast<LPARAM>(text));
  return text;
}

// Every character of `text` must be one the font in `dc` can draw.
void CheckCharacters(HDC dc, const std::wstring& text, const std::string& where,
                     TextFitCheck* check) {
  // The first few tell the font; a whole script missing would fill a page.
  const size_t kNamed = 5;
  const std::wstring missing = MissingGlyphs(dc, text);
  if (missing.empty()) return;
  std::string named = CharactersNamed(missing.substr(0, kNamed));
  if (missing.size() > kNamed)
    named += " and " + std::to_string(missing.size() - kNamed) + " more";
  check->misfits.push_back(where + "cannot draw " + named + " in '" +
                           FaceOf(dc) + "'");
}

void CheckCharacters(HWND control, const std::string& where,
                     TextFitCheck* check) {
  ControlDC dc(control);
  CheckCharacters(dc.Get(), WideTextOf(control), where, check);
}

const char kListProc[] = "velo.TextFit.listProc";
const char kDrawingFont[] = "velo.TextFit.drawingFont";

// Notes the font the list's combo box has selected when it asks the list to
// draw an item, then lets the list draw it.
LRESULT CALLBACK NoteDrawingFont(HWND list, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    const DRAWITEMSTRUCT* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    SetPropA(list, kDrawingFont, GetCurrentObject(draw->hDC, OBJ_FONT));
  }
  return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(list, kListProc)),
                         list, message, wParam, lParam);
}

// The font a ComboBoxEx's items are drawn in: the one its combo box selects
// into the device context it hands over, seen while the closed list draws
// its selection anew; null when it drew nothing.
HGDIOBJ DrawingFont(HWND list) {
  HWND combo =
      reinterpret_cast<HWND>(SendMessageA(list, CBEM_GETCOMBOCONTROL, 0, 0));
  const LONG_PTR own = GetWindowLongPtrA(list, GWLP_WNDPROC);
  SetPropA(list, kListProc, reinterpret_cast<HANDLE>(own));
  SetWindowLongPtrA(list, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(&NoteDrawingFont));
  RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  SetWindowLongPtrA(list, GWLP_WNDPROC, own);
  RemovePropA(list, kListProc);
  return RemovePropA(list, kDrawingFont);
}

// Every item of a ComboBoxEx list must be drawn in characters its font has.
void CheckListItems(HWND list, const Visit& visit) {
  const std::string where = Where(list, visit);
  HGDIOBJ font = DrawingFont(list);
  if (!font) {
    visit.check->misfits.push_back(where + "drew no item");
    return;
  }
  ControlDC dc(list, font);
  const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    wchar_t text[256] = L"";
    COMBOBOXEXITEMW item;
    ZeroMemory(&item, sizeof item);
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = sizeof text / sizeof *text;
    SendMessageW(list, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    ++visit.check->listItems;
    CheckCharacters(dc.Get(), text,
                    where + "item " + std::to_string(index) + " ", visit.check);
  }
}

// A button's text must fit the part of the button it is drawn in.
void MeasureButton(HWND button, const Visit& visit) {
  const std::string text = TextOf(button);
  RECT area;
  GetClientRect(button, &area);
  const UINT flags =
      ButtonTextPlace(button, GetWindowLongA(button, GWL_STYLE), &area);
  if (!flags || text.empty()) return;
  const std::string where = Where(button, visit), shown = Shown(text);
  CheckCharacters(button, where, visit.check);
  if (!Fits(button, text, flags, area, where, shown, visit.check)) return;
  const SIZE needs = NeededSize(button, text, flags, area.right - area.left);
  RECT textArea = TextArea(flags, area.right - area.left, needs);
  OffsetRect(&textArea, area.left, area.top);
  if (RunsOffTheWindow(button, textArea))
    visit.check->misfits.push_back(where + "runs off the window" + shown);
}

// A static text must fit its control, stay inside the window and not run
// under another control.
void MeasureStatic(HWND control, const Visit& visit) {
  const UINT flags = TextFlags(GetWindowLongA(control, GWL_STYLE));
  const std::string text = TextOf(control);
  if (!flags || text.empty()) return;
  RECT has;
  GetClientRect(control, &has);
  const std::string where = Where(control, visit), shown = Shown(text);
  CheckCharacters(control, where, visit.check);
  if (!Fits(control, text, flags, has, where, shown, visit.check)) return;
  const SIZE needs = NeededSize(control, text, flags, has.right);
  const RECT textArea = TextArea(flags, has.right, needs);
  if (RunsOffTheWindow(control, textArea))
    visit.check->misfits.push_back(where + "runs off the window" + shown);
  else if (HWND sibling = Covering(control, InParent(control, textArea)))
    visit.check->misfits.push_back(where + "runs under control " +
                                   std::to_string(GetDlgCtrlID(sibling)) + shown);
}

BOOL CALLBACK VisitControl(HWND control, LPARAM param) {
  if (!IsWindowVisible(control)) return TRUE;
  const std::string kind = ClassOf(control);
  if (kind == "Static") MeasureStatic(control, *reinterpret_cast<Visit*>(param));
  if (kind == "Button") MeasureButton(control, *reinterpret_cast<Visit*>(param));
  if (kind == WC_COMBOBOXEXA) CheckListItems(control, *reinterpret_cast<Visit*>(param));
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
