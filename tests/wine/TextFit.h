// Whether each text a window shows can be read whole: every visible static
// text is measured in its control's font, broken into lines as the static
// control breaks it, against the control's size, the window's edges and the
// controls beside it; every button's text (push button, check box, radio
// button, group box) against the part of the button it is drawn in and the
// window's edges. At any dpi: the sizes come from the fonts and controls as
// the system made them. Every character of those texts, and of the items of
// a ComboBoxEx list, must be one the control's font can draw.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velo {

struct TextFitCheck {
  // "window: control id needs W x H pixels, has W x H, last line '...'" for each
  // text that is cut, or a static text that runs off the window or under
  // another control; "window: control id cannot draw 'X' (U+0058) in 'face'"
  // for characters the control's font has no glyph for.
  std::vector<std::string> misfits;
  int measured = 0;  // texts measured, cut or not
  int listItems = 0;  // items of ComboBoxEx lists whose characters were asked
};

// Measures the texts of `window` (named `name` in the findings) and of every
// visible control below it.
void MeasureTexts(HWND window, const std::string& name, TextFitCheck* check);

}  // namespace velo
