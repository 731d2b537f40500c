// What a text lookup needs from the system: the bytes of the language file
// and the lead bytes of the ANSI code page. Win32LanguagePlatform asks
// Windows; tests give fake files and a fake double-byte code page.
#pragma once

#include <string>

#include "lang/IniFile.h"

namespace velo {

class LanguagePlatform {
 public:
  virtual ~LanguagePlatform() {}
  // The whole file at `path`, or why there is none.
  virtual FileContents ReadWholeFile(const std::string& path) const = 0;
  // Whether `byte` starts a double-byte character in the ANSI code page.
  virtual bool IsLeadByte(unsigned char byte) const = 0;
};

}  // namespace velo
