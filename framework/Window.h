// Thin helpers over window handles, and the base of controls whose messages
// the program handles itself.
#pragma once

#include <windows.h>

#include <string>

namespace velo {

std::string WindowText(HWND window);
void SetWindowTextString(HWND window, const std::string& text);

// A control subclassed by the program. Its parent dialog reflects the
// control's own notifications (commands and colour requests) back to it.
class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Takes over the control's window; called once by data exchange.
  void Attach(HWND control);
  HWND Hwnd() const { return hwnd_; }
  bool IsAttached() const { return hwnd_ != nullptr; }

  // The object behind a subclassed window, or null.
  static Control* FromHandle(HWND window);

  // A notification the control sent its parent (WM_COMMAND); true if handled.
  virtual bool OnReflectedCommand(UINT /*code*/) { return false; }
  // The parent's colour request for this control; null to let the parent
  // answer.
  virtual HBRUSH OnReflectedColour(HDC /*dc*/) { return nullptr; }

 protected:
  // Called once the window is attached.
  virtual void OnAttached() {}
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
};

}  // namespace velo
