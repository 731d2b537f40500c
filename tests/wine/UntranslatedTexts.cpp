#include "UntranslatedTexts.h"

#include <cctype>

#include "ModalDriver.h"

namespace velo {

namespace {

bool IsLetter(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte < 0x80 && std::isalpha(byte);
}

// Static controls that draw a picture or a frame rather than their text.
bool ShowsText(HWND statik) {
  switch (GetWindowLongA(statik, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
      return true;
    default:
      return false;
  }
}

// The language list and its parts show the languages' names.
bool InLanguageList(HWND control) {
  for (HWND window = control; window; window = GetParent(window))
    if (ClassOf(window) == "ComboBoxEx32") return true;
  return false;
}

bool IsNumber(const std::string& text) {
  return text.find_first_not_of("0123456789") == std::string::npos;
}

struct Search {
  const std::string* name;
  const FixedTexts* fixed;
  TextCheck* check;
};

void Judge(const std::string& where, const std::string& text,
           TextCheck* check) {
  if (!IsTranslated(text))
    check->untranslated.push_back(where + " '" + text + "'");
  else if (text.find('[') != std::string::npos)
    ++check->translated;
}

BOOL CALLBACK VisitControl(HWND control, LPARAM param) {
  const Search& search = *reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(control)) return TRUE;
  const std::string kind = ClassOf(control);
  const int id = GetDlgCtrlID(control);
  const std::string where =
      *search.name + ": " + kind + " " + std::to_string(id);
  // A page of the wizard: its controls are visited in turn, its own
  // caption is not shown.
  if (kind == "#32770") return TRUE;
  if (InLanguageList(control)) return TRUE;
  const std::string text = TextOf(control);
  if (kind == "Edit") {
    if (!IsNumber(text))
      search.check->untranslated.push_back(where + " holds '" + text + "'");
    return TRUE;
  }
  if (kind != "Static" && kind != "Button") {
    search.check->untranslated.push_back(where + " is of a kind not looked at");
    return TRUE;
  }
  if ((kind == "Static" && !ShowsText(control)) ||
      search.fixed->controls.count(id) || search.fixed->texts.count(text))
    return TRUE;
  Judge(where, text, search.check);
  return TRUE;
}

}  // namespace

bool IsTranslated(const std::string& text) {
  // A sentence pattern wraps a bracketed explanation in its own brackets.
  int depth = 0;
  for (char c : text) {
    if (c == '[') ++depth;
    else if (c == ']') depth = depth > 0 ? depth - 1 : 0;
    else if (depth == 0 && IsLetter(c)) return false;
  }
  return true;
}

void CheckTexts(HWND window, const std::string& name, const FixedTexts& fixed,
                TextCheck* check) {
  if (!window) {
    check->untranslated.push_back(name + ": not shown");
    return;
  }
  if (!fixed.caption) Judge(name + ": caption", TextOf(window), check);
  Search search = {&name, &fixed, check};
  EnumChildWindows(window, &VisitControl, reinterpret_cast<LPARAM>(&search));
}

}  // namespace velo
