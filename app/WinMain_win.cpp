#include <windows.h>

#include "app/CommandLine.h"
#include "app/CommandLineStart.h"
#include "app/TunerApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // With arguments Velocine carries out a command without a window.
  velo::CommandLine command = velo::ParseCommandLine(arguments);
  if (command.action != velo::CommandLine::kWindows)
    return velo::RunCommandLine(command, arguments);
  velo::App().InitInstance();
  return 0;
}
