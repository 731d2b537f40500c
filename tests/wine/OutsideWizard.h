// The program's wizard seen from the test process: the sheet, the page it
// shows, its caption and its buttons. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>

#include "ProgramRun.h"
#include "framework/WizardSheet.h"

namespace velo {

// The sheet once it shows its first step; null when none came.
HWND WaitForWizard(const ProgramRun& program);
// The page window the sheet shows now.
HWND CurrentPage(HWND sheet);
// Until the window's caption starts with `start`.
bool WaitForCaption(HWND window, const std::string& start);
// Until the window's caption is no longer `caption`.
bool WaitForCaptionChange(HWND window, const std::string& caption);
// Until the button is visible and enabled.
bool WaitUntilUsable(HWND button);
// Presses a sheet button (PSBTN_NEXT, PSBTN_FINISH, ...) as a click would.
void PressSheetButton(HWND sheet, int button);

}  // namespace velo
