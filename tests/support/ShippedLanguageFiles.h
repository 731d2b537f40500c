// The language files as shipped, read from the source tree the tests were
// compiled from.
#pragma once

#include <string>
#include <vector>

#include "lang/IniFile.h"

namespace velo {

// Every shipped language, by its file's name.
const std::vector<std::string>& ShippedLanguageNames();

// The file of the shipped language `name`, as the program reads it.
FileContents ShippedLanguageFile(const std::string& name);

}  // namespace velo
