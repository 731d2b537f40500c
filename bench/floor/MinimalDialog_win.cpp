// The floor for the start-up benchmark: the smallest Win32 dialog program,
// built the same way as Velocine.exe.
#include <windows.h>

static INT_PTR CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM) {
  if (message == WM_CLOSE ||
      (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    EndDialog(window, 0);
    return TRUE;
  }
  return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, &MinimalProc, 0);
  return 0;
}
