// How the language list names a language. A file may give its own name as
// its speakers write it ("Name=Русский") and the ANSI code page it is written
// in ("CodePage=1251") in its text section. That name is shown where the
// system's ANSI code page is the file's, the only place its bytes read as
// written; elsewhere, and for a file that gives no name, the list shows the
// ASCII file name, which stays the language's identity everywhere.
#pragma once

#include <string>

#include "lang/IniFile.h"

namespace velo {

// The key of the language's own name.
extern const char kOwnNameKey[];

// What the list shows for `language` (its file's name), given the file's
// contents and the system's ANSI code page.
std::string ShownLanguageName(const FileContents& file,
                              const std::string& language,
                              unsigned ansiCodePage);

}  // namespace velo
