// The real Velocine.exe, started as the Windows version a test chooses, and
// driven from outside as a user would: its windows are found by caption,
// buttons are clicked, and the test waits for the program to end.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ChildProcess.h"
#include "registry/Win32Registry.h"

namespace velo {

class ProgramRun {
 public:
  // Starts the program that VELO_EXE names, with `arguments` after its
  // name; `wineVersion` is one of Wine's names (win95 ... win2003, vista) or
  // "" for Wine's own.
  explicit ProgramRun(const std::string& wineVersion,
                      const std::string& arguments = "");
  // Closes what is still open and waits for the program to end.
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  // False when VELO_EXE is unset or the program could not be started.
  bool Started() const;

  // The program's first visible top-level window that `match` accepts,
  // waiting up to `milliseconds`; null when none came.
  HWND WaitForWindow(const std::function<bool(HWND)>& match,
                     int milliseconds = 20000) const;
  // The same for a dialog with this caption.
  HWND WaitForDialog(const std::string& caption, int milliseconds = 20000) const;
  // Waits until `window` is closed or hidden.
  bool WaitUntilGone(HWND window, int milliseconds = 20000) const;
  // True once the program has ended within `milliseconds`.
  bool WaitForExit(int milliseconds = 20000) const;
  // The exit code once the program has ended within `milliseconds`; -1 when
  // it has not.
  long ExitCode(int milliseconds = 20000) const;
  // For a failure's message: not started and why, still running, or ended
  // with its exit code.
  std::string State() const;

 private:
  Win32Registry registry_;
  std::string whyNotStarted_ = "VELO_EXE is unset";
  std::unique_ptr<ChildProcess> process_;
};

// The program under test, from VELO_EXE; empty when unset.
std::string ProgramUnderTest();

// Clicks a button of another process's dialog. Posted, so the test never
// waits on a window that is itself waiting for a modal run to end.
void PostClick(HWND dialog, int id);
// Until the control is enabled (or disabled), within the usual bound.
bool WaitUntilEnabled(HWND control, bool enabled = true);

}  // namespace velo
