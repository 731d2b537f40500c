// Finds the texts a window shows that did not come from the language file,
// when every text of that file is wrapped in brackets: "[Cancel]". A text
// is translated when each letter in it stands inside brackets, so composed
// texts ("[MTU] [was set to] 1500 [bytes].") pass and texts without
// letters (numbers, "*", "=") need no file. The window's caption and every
// visible control below it are looked at, whatever their number.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace velo {

// What a window keeps in every language.
struct FixedTexts {
  bool caption = false;          // the window's own caption
  std::set<int> controls;        // controls, by id
  std::set<std::string> texts;   // template texts kept wherever they show
};

struct TextCheck {
  // "window: class id 'text'" for each text not from the file, and each
  // visible control of a kind that has not been looked at before.
  std::vector<std::string> untranslated;
  int translated = 0;  // texts seen that came from the file
};

// Whether every letter of `text` stands inside "[...]", brackets nested or
// not.
bool IsTranslated(const std::string& text);

// Looks at `window` (named `name` in the findings) and its visible controls.
void CheckTexts(HWND window, const std::string& name, const FixedTexts& fixed,
                TextCheck* check);

}  // namespace velo
