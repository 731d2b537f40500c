#include <windows.h>

#include "app/CommandLine.h"
#include "app/CommandLineStart.h"
#include "app/SingleInstance.h"
#include "app/TunerApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // With arguments Velocine carries out a command without a window.
  velo::CommandLine command = velo::ParseCommandLine(arguments);
  if (command.action != velo::CommandLine::kWindows) {
    velo::LogAbnormalEnds(arguments);
    return velo::RunCommandLine(command, arguments);
  }
  velo::SingleInstance instance;
  if (!instance.IsFirst()) {
    instance.BringRunningCopyToFront();
    return 0;
  }
  velo::App().InitInstance();
  return 0;
}
