// The bare floor for the start-up benchmark: the smallest Win32 dialog
// program, built the same way as Velocine.exe.
#include "FloorDialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  RunFloorDialog(instance, 1);
  return 0;
}
