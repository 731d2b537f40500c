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
  const RegStatus created =
      defaults.Create(kHkeyCurrentUser, kAppDefaults, kAccessReadWrite);
  if (created != kRegOk) {
    whyNotStarted_ = "Wine's setting of its version was not written: " +
                     std::to_string(created);
    return;
  }
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

std::string ProgramRun::State() const {
  if (!process_) return "not started: " + whyNotStarted_;
  if (!process_->Started())
    return "not started: error " + std::to_string(process_->StartError());
  DWORD code = 0;
  if (!process_->WaitForExit(0)) return "still running";
  if (!GetExitCodeProcess(process_->Handle(), &code))
    return "ended, its exit code unread: error " +
           std::to_string(GetLastError());
  char text[32];
  wsprintfA(text, "ended with exit code 0x%08lX", code);
  return text;
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
