// How both start-up floors show their dialog: modally, closed by its Cancel
// button or the close box, with no other code behind it.
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

inline void RunFloorDialog(HINSTANCE instance, int templateId) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr,
                  &FloorDialogProc, 0);
}
