// Drives modal windows from inside their own message loop: a thread timer
// notices each new dialog of this thread and hands it to the test's script.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>

namespace velo {

class ModalDriver {
 public:
  // Called once for each dialog window that appears while the driver runs.
  typedef std::function<void(HWND dialog)> Script;

  explicit ModalDriver(Script script);
  ~ModalDriver();

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK Visit(HWND window, LPARAM);

  Script script_;
  std::set<HWND> seen_;
  UINT_PTR timer_;
};

// The window's class name and text, for finding dialogs.
std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// Types a key into a dialog (into its focused control) as the keyboard would.
void PressKey(HWND window, WORD key);
// Clicks a button of a dialog by id.
void ClickButton(HWND dialog, int id);

}  // namespace velo
