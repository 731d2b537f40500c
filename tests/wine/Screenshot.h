// Saves what a window shows as a bitmap file in the folder the test scripts
// name in VELO_SCREENSHOTS (nothing when unset), for people to look at, with
// the texts it shows beside it (NAME.txt).
#pragma once

#include <windows.h>

#include <string>

namespace velo {

// `name` without extension, e.g. "main-english". Returns whether it saved.
bool SaveScreenshot(HWND window, const std::string& name);

}  // namespace velo
