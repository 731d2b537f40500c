#include "ModalDriver.h"

namespace velo {

namespace {
ModalDriver* g_driver = nullptr;
}  // namespace

ModalDriver::ModalDriver(Script script) : script_(std::move(script)) {
  g_driver = this;
  timer_ = SetTimer(nullptr, 0, 20, &Tick);
}

ModalDriver::~ModalDriver() {
  KillTimer(nullptr, timer_);
  g_driver = nullptr;
}

BOOL CALLBACK ModalDriver::Visit(HWND window, LPARAM) {
  if (!g_driver || !IsWindowVisible(window) || ClassOf(window) != "#32770")
    return TRUE;
  if (g_driver->seen_.insert(window).second) g_driver->script_(window);
  return TRUE;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &Visit, 0);
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  // WM_GETTEXT rather than GetWindowText, which does not ask the controls
  // of another process.
  char text[4096] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

void PressKey(HWND window, WORD key) {
  // Posted, so the dialog's message loop sees the key as it sees typing.
  HWND target = GetFocus();
  if (!target || (target != window && !IsChild(window, target))) target = window;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void ClickButton(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace velo
