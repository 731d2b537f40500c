// Where a window lies in another window's client area, as a dialog's
// controls are placed.
#pragma once

#include <windows.h>

namespace velo {

// The rectangle of `window` in `parent`'s client coordinates.
inline RECT WindowRectIn(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace velo
