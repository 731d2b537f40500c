// What a text lookup needs from the system: the bytes of the language file,
// the ANSI code page and its lead bytes. Win32LanguagePlatform asks
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
  // The system's ANSI code page, the one every text is drawn in.
  virtual unsigned AnsiCodePage() const = 0;
  // Whether `byte` starts a double-byte character in the ANSI code page.
  virtual bool IsLeadByte(unsigned char byte) const = 0;
};

}  // namespace velo
