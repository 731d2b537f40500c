// The main window's language list, a ComboBoxEx: the languages of the Lang
// folder in the order LanguageList gives them, each with its flag in front of
// its name. A flag is read from its file only when the list first draws its
// item, so that opening the window reads the chosen language's flag alone;
// which languages have a flag, and so the order, is settled from the flag
// files' headers while the list is filled. Only the languages the system
// can draw are listed (LanguageCodePage.h); each item shows the name its
// file gives itself where the system's code page is the file's
// (LanguageOwnName.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Window.h"
#include "lang/LanguageList.h"

namespace velo {

class LanguageListControl : public Control {
 public:
  ~LanguageListControl() override;

  // Lists the languages of `appPath`'s Lang folder and selects `language`
  // (compared without regard to case), or English where `language` is one
  // the system cannot draw; no selection when neither is listed.
  void Fill(const std::string& appPath, const std::string& language);

  // The language of the selected item (its file's name, whatever the item
  // shows); false when none is selected.
  bool SelectedName(std::string* name) const;

  // Whether the flag in image list slot `image` has been read from its file.
  bool IsFlagLoaded(int image) const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Flag {
    std::string path;
    bool tried = false;
    bool loaded = false;
  };

  // An image list with a blank slot for every flag to come.
  void MakeImageList(size_t slots);
  void Insert(size_t position);
  // Reads the flag of the item at `position` into its slot, once; an item
  // whose flag cannot be read after all shows none.
  void LoadFlagOf(int position);

  LanguageList languages_;
  std::vector<Flag> flags_;  // by image list slot
  HIMAGELIST images_ = nullptr;
};

}  // namespace velo
