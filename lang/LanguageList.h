// The order and selection rules of the main window's language list. The list
// is built as the Lang folder is enumerated: each language with a flag takes
// the next slot of an image list, and its item is inserted at the position
// equal to that slot's index; a language without a flag (index -1) is
// appended. So the flagged languages come first, then the others, each group
// in the order the files were found. A language the system cannot draw is
// left out (LanguageCodePage.h); where it is the one chosen, the list
// selects English, which its windows show instead.
#pragma once

#include <string>
#include <vector>

namespace velo {

struct LanguageItem {
  std::string name;   // the file's name: the language's identity
  std::string shown;  // what the list shows for it
  int image = -1;     // index of its flag in the image list; -1: no flag
};

class LanguageList {
 public:
  // Adds the language of the next "*.ini" file found; `hasFlag` tells
  // whether it has a flag bitmap, `shown` is what the list shows for it
  // (the language's name when empty). Returns the position the item was
  // inserted at.
  size_t Add(const std::string& fileName, bool hasFlag,
             const std::string& shown = std::string());

  // Notes the language of a file found but not listed.
  void LeaveOut(const std::string& fileName);

  const std::vector<LanguageItem>& Items() const { return items_; }

  // The position of the item that names `language`, compared without
  // regard to case; -1 when none does or `language` is empty.
  int IndexOf(const std::string& language) const;

  // The position to select for the chosen `language`: its own, English's
  // where it was left out, -1 where neither is listed.
  int SelectionFor(const std::string& language) const;

 private:
  std::vector<LanguageItem> items_;
  std::vector<std::string> leftOut_;
  int images_ = 0;
};

}  // namespace velo
