// A static text that behaves like a hyperlink: coloured, underlined, a hand
// cursor, a tooltip, and a click opens its address with the shell.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Window.h"

namespace velo {

class CWebLink : public Control {
 public:
  CWebLink();
  ~CWebLink() override;

  void SetURL(const std::string& address) { m_strURL = address; }
  void SetUseTooltip(bool use) { m_bUseTooltip = use; }
  void SetTooltipText(const std::string& text);
  void SetVisitedColour(COLORREF colour) { m_crVisited = colour; }
  // True when the shell reports that it opened the address.
  static bool OpenURL(const std::string& address);

  bool IsOver() const { return m_bOver; }
  bool IsVisited() const { return m_bVisited; }
  HCURSOR Cursor() const { return m_hLinkCursor; }
  // The text colour for the link's current state.
  COLORREF TextColour() const;

  bool OnReflectedCommand(UINT code) override;
  HBRUSH OnReflectedColour(HDC dc) override;

 protected:
  void OnAttached() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnMouseMove(LPARAM point);
  void RedrawNow();
  static HCURSOR LoadLinkCursor();

  HCURSOR m_hLinkCursor = nullptr;
  bool m_bUseTooltip = false;
  bool m_bOver = false;
  bool m_bVisited = false;
  HFONT m_font = nullptr;
  HWND m_tooltip = nullptr;
  std::string m_strURL;
  COLORREF m_crLink = RGB(255, 0, 0);
  COLORREF m_crVisited = RGB(5, 34, 143);
};

}  // namespace velo
