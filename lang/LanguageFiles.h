// Where the languages lie: each one is a file "<name>.ini" in the Lang folder
// under the application's path, with an optional flag "<name>.bmp" beside it.
#pragma once

#include <cstddef>
#include <string>

namespace velo {

// The section of a language file that holds its texts.
extern const char kTextSection[];

// The language of the texts built into the program, and of its file.
extern const char kBuiltInLanguage[];

// "<appPath>\Lang\<name><extension>". An empty appPath gives a path from the
// root of the current drive.
std::string LanguageFilePath(const std::string& appPath,
                             const std::string& name,
                             const std::string& extension);

// The language a file found in the Lang folder stands for: its name without
// the last four characters (".ini"); empty for a shorter name.
std::string LanguageName(const std::string& fileName);

// How many bytes of a flag file FlagHeaderIsBitmap needs to see.
const size_t kFlagHeaderBytes = 54;

// Whether the start of a flag file (up to kFlagHeaderBytes of it) is the
// header of a bitmap that can be drawn: the file header, then an info header
// of a known size with a positive size, one plane and a bit count of a
// bitmap. The language list orders its items by this before it loads any
// flag.
bool FlagHeaderIsBitmap(const std::string& start);

}  // namespace velo
