#include "app/WebLink.h"

#include <commctrl.h>

#include <vector>

namespace velo {

namespace {

const UINT kTooltipToolId = 1001;
const WORD kWinhelpHandCursor = 106;

}  // namespace

CWebLink::CWebLink() {}

CWebLink::~CWebLink() {
  if (m_font) DeleteObject(m_font);
  if (m_hLinkCursor) DestroyCursor(m_hLinkCursor);
}

void CWebLink::OnAttached() {
  LONG_PTR style = GetWindowLongPtrA(Hwnd(), GWL_STYLE);
  SetWindowLongPtrA(Hwnd(), GWL_STYLE, style | SS_NOTIFY);

  HFONT current = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
  LOGFONTA font;
  if (!current) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (GetObjectA(current, sizeof font, &font)) {
    font.lfUnderline = TRUE;
    if (m_font) DeleteObject(m_font);
    m_font = CreateFontIndirectA(&font);
    SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  }

  m_tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, Hwnd(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (m_tooltip) {
    TOOLINFOA tool;
    ZeroMemory(&tool, sizeof tool);
    tool.cbSize = sizeof tool;
    tool.hwnd = Hwnd();
    tool.uId = kTooltipToolId;
    GetClientRect(Hwnd(), &tool.rect);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

HCURSOR CWebLink::LoadLinkCursor() {
  // The hand of the Windows help program, copied so it outlives the module.
  std::vector<char> folder(MAX_PATH + 1);
  UINT length = GetWindowsDirectoryA(folder.data(), MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    std::string path(folder.data(), length);
    path += "\\Winhlp32.exe";
    if (HMODULE module = LoadLibraryExA(path.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE)) {
      HCURSOR hand = LoadCursorA(module, MAKEINTRESOURCEA(kWinhelpHandCursor));
      HCURSOR copy = hand ? CopyCursor(hand) : nullptr;
      FreeLibrary(module);
      if (copy) return copy;
    }
  }
  // Without it: the system's own hand where there is one, else the arrow,
  // so that a pointer is always drawn over the link.
  HCURSOR system = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  if (!system) system = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  return system ? CopyCursor(system) : nullptr;
}

void CWebLink::SetTooltipText(const std::string& text) {
  if (!m_bUseTooltip || !m_tooltip) return;
  TOOLINFOA tool;
  ZeroMemory(&tool, sizeof tool);
  tool.cbSize = sizeof tool;
  tool.hwnd = Hwnd();
  tool.uId = kTooltipToolId;
  tool.lpszText = const_cast<char*>(text.c_str());
  SendMessageA(m_tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CWebLink::OpenURL(const std::string& address) {
  // The shell is loaded by the first click, not while the program starts:
  // the program does not import it.
  typedef HINSTANCE(WINAPI * ShellExecuteFunction)(HWND, LPCSTR, LPCSTR,
                                                   LPCSTR, LPCSTR, INT);
  static const ShellExecuteFunction shellExecute = [] {
    HMODULE shell = LoadLibraryA("shell32.dll");
    return shell ? reinterpret_cast<ShellExecuteFunction>(
                       reinterpret_cast<void*>(
                           GetProcAddress(shell, "ShellExecuteA")))
                 : nullptr;
  }();
  if (!shellExecute) return false;
  HINSTANCE result = shellExecute(nullptr, "open", address.c_str(), nullptr,
                                  nullptr, SW_SHOWMINIMIZED);
  return reinterpret_cast<INT_PTR>(result) > 31;
}

COLORREF CWebLink::TextColour() const {
  // The link keeps its colour under the mouse until it has been visited.
  return m_bVisited ? m_crVisited : m_crLink;
}

bool CWebLink::OnReflectedCommand(UINT code) {
  if (code != STN_CLICKED) return false;
  OpenURL(m_strURL);
  m_bVisited = true;
  InvalidateRect(Hwnd(), nullptr, TRUE);
  return true;
}

HBRUSH CWebLink::OnReflectedColour(HDC dc) {
  SetTextColor(dc, TextColour());
  SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CWebLink::RedrawNow() {
  RedrawWindow(Hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CWebLink::OnMouseMove(LPARAM point) {
  if (!m_bOver) {
    m_bOver = true;
    RedrawNow();
    SetCapture(Hwnd());
    return;
  }
  RECT client;
  GetClientRect(Hwnd(), &client);
  POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  if (!PtInRect(&client, at)) {
    m_bOver = false;
    ReleaseCapture();
    RedrawNow();
  }
}

LRESULT CWebLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_tooltip && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG relayed = {Hwnd(), message, wParam, lParam, 0, {0, 0}};
    SendMessageA(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  switch (message) {
    case WM_MOUSEMOVE: {
      LRESULT result = Default(message, wParam, lParam);
      OnMouseMove(lParam);
      return result;
    }
    case WM_SETCURSOR:
      // Looked up when the pointer first comes over the link, not while the
      // main window opens.
      if (!m_hLinkCursor) m_hLinkCursor = LoadLinkCursor();
      SetCursor(m_hLinkCursor);
      return TRUE;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace velo
