#include "app/SingleInstance.h"

namespace velo {

namespace {

// Named objects of this name live as long as a copy of Velocine holds one.
const char kRunningName[] = "Velocine.Running";

struct MainWindowSearch {
  DWORD process;
  HWND found;
};

// The main window is the copy's visible top-level window that no other
// window owns.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM search) {
  MainWindowSearch& wanted = *reinterpret_cast<MainWindowSearch*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != wanted.process || !IsWindowVisible(window) ||
      GetWindow(window, GW_OWNER))
    return TRUE;
  wanted.found = window;
  return FALSE;
}

}  // namespace

SingleInstance::SingleInstance() {
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                0, sizeof(DWORD), kRunningName);
  if (!mapping_) return;
  first_ = GetLastError() != ERROR_ALREADY_EXISTS;
  runningProcess_ = static_cast<DWORD*>(
      MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)));
  if (first_ && runningProcess_) *runningProcess_ = GetCurrentProcessId();
}

SingleInstance::~SingleInstance() {
  if (runningProcess_) UnmapViewOfFile(runningProcess_);
  if (mapping_) CloseHandle(mapping_);
}

void SingleInstance::BringRunningCopyToFront() const {
  // Zero while the running copy is still starting: it comes up in front.
  if (!runningProcess_ || *runningProcess_ == 0) return;
  MainWindowSearch search = {*runningProcess_, nullptr};
  EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(GetLastActivePopup(search.found));
}

}  // namespace velo
