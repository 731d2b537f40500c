// What a window answers a WM_CTLCOLOR... message from one of its children:
// the brush and the text colour it puts into the child's device context
// (which holds a colour of no one's choosing before the message).
#pragma once

#include <windows.h>

namespace velo {

struct AnsweredColours {
  HBRUSH brush;
  COLORREF background;  // the brush's colour
  COLORREF text;
};

inline AnsweredColours ColoursAnswered(HWND window, UINT message, HWND child) {
  HDC dc = GetDC(child);
  SetTextColor(dc, RGB(1, 2, 3));
  HBRUSH brush = reinterpret_cast<HBRUSH>(
      SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(child)));
  LOGBRUSH described = {};
  GetObjectA(brush, sizeof described, &described);
  AnsweredColours colours = {brush, described.lbColor, GetTextColor(dc)};
  ReleaseDC(child, dc);
  return colours;
}

}  // namespace velo
