// Reads a REGEDIT4 file back the way regedit does: key lines, quoted names
// with their escapes, strings, dwords and hex data over continued lines.
// The tests check the writer against it.
#pragma once

#include <string>
#include <vector>

#include "registry/RegeditFile.h"

namespace velo {

// The keys in file order; false, with the line that could not be read in
// *error, when the text is not a REGEDIT4 file.
bool ReadRegedit4(const std::string& text, std::vector<RegeditKey>* keys,
                  std::string* error);

}  // namespace velo
