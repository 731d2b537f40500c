// Where the languages lie: each one is a file "<name>.ini" in the Lang folder
// under the application's path, with an optional flag "<name>.bmp" beside it.
#pragma once

#include <string>

namespace velo {

// "<appPath>\Lang\<name><extension>". An empty appPath gives a path from the
// root of the current drive.
std::string LanguageFilePath(const std::string& appPath,
                             const std::string& name,
                             const std::string& extension);

// The language a file found in the Lang folder stands for: its name without
// the last four characters (".ini"); empty for a shorter name.
std::string LanguageName(const std::string& fileName);

}  // namespace velo
