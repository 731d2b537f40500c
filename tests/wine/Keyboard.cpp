#include "Keyboard.h"

#include <vector>

namespace velo {

namespace {

const int kPatience = 10000;  // milliseconds
const int kStep = 20;

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
  for (int waited = 0; waited < kPatience; waited += kStep) {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    Sleep(kStep);
  }
  return false;
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
  for (int waited = 0; waited < kPatience; waited += kStep) {
    if (FocusOf(window) == control) return true;
    Sleep(kStep);
  }
  return false;
}

}  // namespace velo
