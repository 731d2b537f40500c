#include <windows.h>

#include "app/SingleInstance.h"
#include "app/TunerApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velo::SingleInstance instance;
  if (!instance.IsFirst()) {
    instance.BringRunningCopyToFront();
    return 0;
  }
  velo::App().InitInstance();
  return 0;
}
