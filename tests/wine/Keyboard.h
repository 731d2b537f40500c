// Real key events for the program under test: they enter the system's input
// queue and reach the focused control of the foreground window, as a user's
// typing does (nothing is posted to a window by hand).
#pragma once

#include <windows.h>

namespace velo {

// Makes `window` the foreground window and waits until it is; false when it
// did not become so.
bool BringToFront(HWND window);
// Presses and releases one key.
bool Type(WORD key);
// The same with Alt held, as for a mnemonic.
bool TypeWithAlt(WORD key);
// The control that has the keyboard focus in the thread of `window`, which
// may belong to another process; null when none.
HWND FocusOf(HWND window);
// Until the focus in the thread of `window` is on `control`.
bool WaitForFocus(HWND window, HWND control);

}  // namespace velo
