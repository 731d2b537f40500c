// A program started from a command line, as a user's shortcut would start
// it. When this goes a process still running is ended and its handles are
// closed, so a test or benchmark never leaves one behind.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace velo {

class ChildProcess {
 public:
  explicit ChildProcess(std::string commandLine);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // False when the command could not be started.
  bool Started() const { return info_.hProcess != nullptr; }
  HANDLE Handle() const { return info_.hProcess; }
  DWORD Id() const { return info_.dwProcessId; }
  // Why it could not be started (GetLastError); 0 when it was.
  DWORD StartError() const { return startError_; }

  // True once the process has ended within `milliseconds`.
  bool WaitForExit(int milliseconds) const;
  // Its first visible top-level window that `match` accepts; null when none.
  HWND FindWindow(const std::function<bool(HWND)>& match) const;
  // Closes its visible windows round after round (messages and the wizard
  // above the main window go first), then ends it if it still runs.
  void Close() const;

 private:
  PROCESS_INFORMATION info_ = {};
  DWORD startError_ = 0;
};

}  // namespace velo
