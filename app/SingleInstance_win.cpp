#include "app/SingleInstance.h"

#include "app/WindowsVersion.h"

namespace velo {

namespace {

// Named objects of this name live as long as a copy of Velocine holds one.
// Where sessions exist the global one guards the machine's values from a
// copy in any session.
const char kRunningName[] = "Velocine.Running";
const char kGlobalRunningName[] = "Global\\Velocine.Running";

HANDLE CreateRunningMapping(const char* name) {
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                            sizeof(DWORD), name);
}

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
  const bool perSession = CWindowsVersion().NamesObjectsPerSession();
  if (perSession) mapping_ = CreateRunningMapping(kGlobalRunningName);
  if (perSession && !mapping_ && GetLastError() == ERROR_ACCESS_DENIED) {
    // Creating a global mapping takes a right that a user outside the
    // console session may lack: one that a copy created is still seen.
    mapping_ = OpenFileMappingA(FILE_MAP_READ, FALSE, kGlobalRunningName);
    if (mapping_) {
      first_ = false;
      runningProcess_ = static_cast<DWORD*>(
          MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, sizeof(DWORD)));
      return;
    }
  }
  // Refused both: this session's own name keeps at least it to one copy.
  if (!mapping_) mapping_ = CreateRunningMapping(kRunningName);
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

bool SingleInstance::BringRunningCopyToFront() const {
  // Zero while the running copy is still starting.
  if (!runningProcess_ || *runningProcess_ == 0) return false;
  MainWindowSearch search = {*runningProcess_, nullptr};
  EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  if (IsIconic(search.found)) ShowWindow(search.found, SW_RESTORE);
  SetForegroundWindow(GetLastActivePopup(search.found));
  return true;
}

}  // namespace velo
