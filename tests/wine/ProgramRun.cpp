#include "ProgramRun.h"

#include "BoundedWait.h"
#include "Environment.h"
#include "ModalDriver.h"
#include "registry/RegKey.h"

namespace velo {

namespace {

const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velocine.exe";

}  // namespace

std::string ProgramUnderTest() { return EnvironmentText("VELO_EXE"); }

ProgramRun::ProgramRun(const std::string& wineVersion,
                       const std::string& arguments) {
  std::string program = ProgramUnderTest();
  if (program.empty()) return;
  RegKey defaults(registry_);
  if (defaults.Create(kHkeyCurrentUser, kAppDefaults, kAccessReadWrite) != kRegOk)
    return;
  if (wineVersion.empty())
    defaults.Delete("Version");
  else
    defaults.Write("Version", RegValue::Text(wineVersion));
  process_.reset(new ChildProcess("\"" + program + "\"" +
                                  (arguments.empty() ? "" : " " + arguments)));
}

ProgramRun::~ProgramRun() {
  if (process_) process_->Close();
  process_.reset();
  registry_.DeleteTree(kHkeyCurrentUser, kAppDefaults);
}

bool ProgramRun::Started() const { return process_ && process_->Started(); }

HWND ProgramRun::WaitForWindow(const std::function<bool(HWND)>& match,
                               int milliseconds) const {
  HWND found = nullptr;
  if (Started())
    WaitFor([&] { return (found = process_->FindWindow(match)) != nullptr; },
            milliseconds);
  return found;
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
  return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); },
                 milliseconds);
}

bool ProgramRun::WaitForExit(int milliseconds) const {
  return Started() && process_->WaitForExit(milliseconds);
}

long ProgramRun::ExitCode(int milliseconds) const {
  DWORD code = 0;
  if (!WaitForExit(milliseconds) ||
      !GetExitCodeProcess(process_->Handle(), &code))
    return -1;
  return static_cast<long>(code);
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
