#include <windows.h>

#include "app/TunerApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velo::App().InitInstance();
  return 0;
}
