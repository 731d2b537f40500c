// The language files on disk and the system's ANSI code page.
#pragma once

#include "lang/LanguagePlatform.h"

namespace velo {

class Win32LanguagePlatform : public LanguagePlatform {
 public:
  // A file that does not exist is kNotFound; one that exists but cannot be
  // opened is kNotOpened; one that opens but cannot be read (or is too big
  // for memory) reads as empty. This is how the system's INI reader tells
  // them apart.
  FileContents ReadWholeFile(const std::string& path) const override;
  unsigned AnsiCodePage() const override;
  bool IsLeadByte(unsigned char byte) const override;
};

}  // namespace velo
