// The items of a ComboBoxEx in another process: its text and image index
// are read through memory lent in that process, since the item record holds
// a pointer that must be valid there.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velo {

struct RemoteComboItem {
  std::string text;
  int image = -1;  // -1: no image (for a language list, no flag)
};

// Empty when the process cannot be reached.
std::vector<RemoteComboItem> ReadComboBoxExItems(HWND combo);

}  // namespace velo
