// Registry files as Windows' own regedit imports them with /s on every
// supported Windows: the REGEDIT4 format, ANSI text with CRLF line ends.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "registry/RegKey.h"

namespace velo {

// One key with the values to put into it. The path starts with the root's
// full name: "HKEY_LOCAL_MACHINE\System\...".
struct RegeditKey {
  std::string path;
  std::vector<std::pair<std::string, RegValue>> values;

  bool operator==(const RegeditKey& other) const {
    return path == other.path && values == other.values;
  }
};

struct RegeditText {
  std::string text;
  // One line for each key or value that regedit could not read back as it
  // is, and which the text therefore leaves out.
  std::vector<std::string> leftOut;
};

// The file that puts these values back. Each value comes back byte for
// byte, with its own type: a REG_SZ as a quoted string when it is one line
// ended by its one NUL, otherwise as hex(1). A key whose path holds "]", a
// line break or a NUL cannot be named on a line of its own, and a value
// name with a line break or a NUL cannot be quoted: both are left out. So
// are names, and so go strings to hex(1), where a byte from 0x80 up stands
// last or before a "\", "\"" or "]": on a double-byte code page (932)
// regedit would read the two as one character.
RegeditText WriteRegedit4(const std::vector<RegeditKey>& keys);

}  // namespace velo
