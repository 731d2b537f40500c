#include <windows.h>

#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "app/CommandLineStart.h"
#include "app/SingleInstance.h"
#include "app/SystemBoxes.h"
#include "app/TunerApp.h"
#include "lang/LanguageFileTexts.h"
#include "lang/Win32LanguagePlatform.h"
#include "registry/Win32Registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // With arguments Velocine carries out a command without a window.
  velo::CommandLine command = velo::ParseCommandLine(arguments);
  if (command.action != velo::CommandLine::kWindows) {
    velo::ShowNoSystemBoxes();
    velo::LogAbnormalEnds(arguments);
    return velo::RunCommandLine(command, arguments);
  }
  velo::SingleInstance instance;
  if (!instance.IsFirst()) {
    // With no window to show, a start that seems to do nothing would be
    // tried again and again.
    if (!instance.BringRunningCopyToFront()) {
      velo::Win32Registry registry;
      velo::AppSettings settings = velo::ReadAppSettings(registry);
      velo::Win32LanguagePlatform platform;
      velo::LanguageFileTexts texts(settings.appPath, settings.language,
                                    platform);
      MessageBoxA(nullptr, texts.Load(velo::TextId::AlreadyRunning).c_str(),
                  texts.Load(velo::TextId::ProgramName).c_str(),
                  MB_OK | MB_ICONINFORMATION);
    }
    return 0;
  }
  velo::App().InitInstance();
  return 0;
}
