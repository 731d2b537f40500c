// Whether each text a window shows can be read whole: every visible static
// text is measured in its control's font, broken into lines as the static
// control breaks it, against the control's size, the window's edges and the
// controls beside it; every button's text (push button, check box, radio
// button, group box) against the part of the button it is drawn in and the
// window's edges. At any dpi: the sizes come from the fonts and controls as
// the system made them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velo {

struct TextFitCheck {
  // "window: control id needs W x H pixels, has W x H, last line '...'" for each
  // text that is cut, or a static text that runs off the window or under
  // another control.
  std::vector<std::string> misfits;
  int measured = 0;  // texts measured, cut or not
};

// Measures the texts of `window` (named `name` in the findings) and of every
// visible control below it.
void MeasureTexts(HWND window, const std::string& name, TextFitCheck* check);

}  // namespace velo
