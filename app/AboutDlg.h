// The About box: the program's version and legal notice, taken from the
// program file's own version block.
#pragma once

#include <string>

#include "framework/Dialog.h"

namespace velo {

class CAboutDlg : public Dialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;

 private:
  // Replaces each version control's text, which names a version-block
  // string, by that string's value.
  void ShowVersionStrings();
};

// A string of the "040904b0" table of a file's version block; empty when the
// file has no version block or no such string.
std::string FileVersionString(const std::string& file, const std::string& name);

}  // namespace velo
