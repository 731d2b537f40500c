#include "Keyboard.h"

#include <vector>

#include "BoundedWait.h"

namespace velo {

namespace {

INPUT KeyEvent(WORD key, bool up) {
  INPUT input;
  ZeroMemory(&input, sizeof input);
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

bool Send(std::vector<INPUT> inputs) {
  UINT count = static_cast<UINT>(inputs.size());
  return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
}

}  // namespace

bool BringToFront(HWND window) {
  return WaitFor([&] {
    if (GetForegroundWindow() != window) SetForegroundWindow(window);
    return GetForegroundWindow() == window;
  });
}

bool Type(WORD key) {
  return Send({KeyEvent(key, false), KeyEvent(key, true)});
}

bool TypeWithAlt(WORD key) {
  return Send({KeyEvent(VK_MENU, false), KeyEvent(key, false),
               KeyEvent(key, true), KeyEvent(VK_MENU, true)});
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool WaitForFocus(HWND window, HWND control) {
  return WaitFor([&] { return FocusOf(window) == control; });
}

}  // namespace velo
