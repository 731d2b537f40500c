// Whether this Windows can draw a language file's texts. Every text goes out
// through the ANSI calls, so the system's ANSI code page, not the font,
// decides how its bytes read: a file is drawable where the code page it
// names ("CodePage=1251") is the system's, or where it holds no byte above
// 127 and so reads the same in every code page (English names 1252 and must
// still show on a Russian or Japanese Windows). A file that names no code
// page and is not plain ASCII cannot be told to read right anywhere: it is
// drawable nowhere.
#pragma once

#include <string>

#include "lang/IniFile.h"

namespace velo {

// The key of the code page a language file is written in.
extern const char kCodePageKey[];

// The code page `ini` names in its text section; 0 when it names none or
// its value is not a plain number.
unsigned NamedCodePage(const IniFile& ini);

// Whether the texts of `file` read as written under `ansiCodePage`. A file
// that was not read holds no text to garble: the built-in ones show.
bool CanDrawLanguage(const FileContents& file, unsigned ansiCodePage);

}  // namespace velo
