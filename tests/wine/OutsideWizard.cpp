#include "OutsideWizard.h"

#include <commctrl.h>

#include "BoundedWait.h"
#include "ModalDriver.h"

namespace velo {

namespace {

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

HWND WaitForWizard(const ProgramRun& program) {
  return program.WaitForWindow([](HWND window) {
    return ClassOf(window) == "#32770" &&
           StartsWith(TextOf(window), "Step 1 of");
  });
}

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(
      SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

bool WaitForCaption(HWND window, const std::string& start) {
  return WaitFor([&] { return StartsWith(TextOf(window), start); });
}

bool WaitForCaptionChange(HWND window, const std::string& caption) {
  return WaitFor([&] { return TextOf(window) != caption; });
}

bool WaitUntilUsable(HWND button) {
  return WaitFor(
      [&] { return IsWindowVisible(button) && IsWindowEnabled(button); });
}

void PressSheetButton(HWND sheet, int button) {
  PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

}  // namespace velo
