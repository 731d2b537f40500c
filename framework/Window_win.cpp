#include "framework/Window.h"

#include <vector>

#include "framework/MessageBoundary.h"

namespace velo {

namespace {
const char kControlProperty[] = "Velocine.Control";
}  // namespace

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> buffer(length + 1);
  int got = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), got > 0 ? got : 0);
}

void SetWindowTextString(HWND window, const std::string& text) {
  SetWindowTextA(window, text.c_str());
}

Control::~Control() { Detach(); }

void Control::Attach(HWND control) {
  if (hwnd_ || !control) return;
  hwnd_ = control;
  SetPropA(control, kControlProperty, this);
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  OnAttached();
}

void Control::Detach() {
  if (!hwnd_) return;
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(hwnd_, kControlProperty);
  }
  hwnd_ = nullptr;
  original_ = nullptr;
}

Control* Control::FromHandle(HWND window) {
  return static_cast<Control*>(GetPropA(window, kControlProperty));
}

LRESULT Control::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT Control::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam) {
  Control* control = FromHandle(window);
  if (!control) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes away with its dialog; the object may be used again
    // for the dialog's next run.
    WNDPROC original = control->original_;
    control->Detach();
    return CallWindowProcA(original, window, message, wParam, lParam);
  }
  return WithinMessageBoundary(&ShowEscapeReport, [&] {
    return control->WindowProc(message, wParam, lParam);
  });
}

}  // namespace velo
