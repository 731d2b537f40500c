// The dialog both start-up floors show: the smallest modal dialog, closed by
// its button or the close box.
#pragma once

#include <windows.h>

inline INT_PTR CALLBACK FloorDialogProc(HWND window, UINT message,
                                        WPARAM wParam, LPARAM) {
  if (message == WM_CLOSE ||
      (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    EndDialog(window, 0);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

inline void RunFloorDialog(HINSTANCE instance) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &FloorDialogProc, 0);
}
