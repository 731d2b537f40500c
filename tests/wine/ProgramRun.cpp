#include "ProgramRun.h"

#include <vector>

#include "BoundedWait.h"
#include "ModalDriver.h"
#include "registry/RegKey.h"

namespace velo {

namespace {

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velocine.exe";

struct WindowSearch {
  DWORD process;
  const std::function<bool(HWND)>* match;
  HWND found;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM param) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  if ((*search->match)(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseWindow(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process) && IsWindowVisible(window))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

std::string ProgramUnderTest() {
  char path[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("VELO_EXE", path, sizeof path);
  return length > 0 && length < sizeof path ? path : "";
}

ProgramRun::ProgramRun(const std::string& wineVersion) {
  std::string program = ProgramUnderTest();
  if (program.empty()) return;
  RegKey defaults(registry_);
  if (defaults.Create(kHkeyCurrentUser, kAppDefaults, kAccessReadWrite) != kRegOk)
    return;
  if (wineVersion.empty())
    defaults.Delete("Version");
  else
    defaults.Write("Version", RegValue::Text(wineVersion));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  std::string command = "\"" + program + "\"";
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process_))
    process_ = PROCESS_INFORMATION();
}

ProgramRun::~ProgramRun() {
  if (Started()) {
    // Alerts and the wizard above the main window go first, then the main
    // window itself.
    for (int round = 0; round < 5 && !WaitForExit(0); ++round) {
      EnumWindows(&CloseWindow, static_cast<LPARAM>(process_.dwProcessId));
      WaitForExit(1000);
    }
    if (!WaitForExit(0)) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  registry_.DeleteTree(kHkeyCurrentUser, kAppDefaults);
}

HWND ProgramRun::WaitForWindow(const std::function<bool(HWND)>& match,
                               int milliseconds) const {
  if (!Started()) return nullptr;
  for (int waited = 0;; waited += 20) {
    WindowSearch search = {process_.dwProcessId, &match, nullptr};
    EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || waited >= milliseconds) return search.found;
    Sleep(20);
  }
}

HWND ProgramRun::WaitForDialog(const std::string& caption,
                               int milliseconds) const {
  return WaitForWindow(
      [&](HWND window) {
        return ClassOf(window) == "#32770" && TextOf(window) == caption;
      },
      milliseconds);
}

bool ProgramRun::WaitUntilGone(HWND window, int milliseconds) const {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(20);
  }
  return false;
}

bool ProgramRun::WaitForExit(int milliseconds) const {
  return Started() &&
         WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

void PostClick(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitUntilEnabled(HWND control, bool enabled) {
  return WaitFor(
      [&] { return (IsWindowEnabled(control) != FALSE) == enabled; });
}

}  // namespace velo
