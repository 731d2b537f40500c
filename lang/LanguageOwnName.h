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

std::string ShownLanguageName(const FileContents& file,
                              const std::string& language,
                              unsigned ansiCodePage);

}  // namespace velo
