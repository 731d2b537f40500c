#include "ChildProcess.h"

namespace velo {

namespace {

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

}  // namespace

ChildProcess::ChildProcess(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &info_)) {
    startError_ = GetLastError();
    info_ = PROCESS_INFORMATION();
  }
}

ChildProcess::~ChildProcess() {
  if (!Started()) return;
  if (!WaitForExit(0)) TerminateProcess(info_.hProcess, 1);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ChildProcess::WaitForExit(int milliseconds) const {
  return Started() &&
         WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

HWND ChildProcess::FindWindow(const std::function<bool(HWND)>& match) const {
  WindowSearch search = {info_.dwProcessId, &match, nullptr};
  if (Started()) EnumWindows(&VisitWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void ChildProcess::Close() const {
  // Each visible window is asked to close as the search passes it; none is
  // taken as the one found, so the search visits them all.
  const std::function<bool(HWND)> askToClose = [](HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return false;
  };
  for (int round = 0; round < 5 && Started() && !WaitForExit(0); ++round) {
    FindWindow(askToClose);
    WaitForExit(1000);
  }
  if (Started() && !WaitForExit(0)) TerminateProcess(info_.hProcess, 1);
}

}  // namespace velo
