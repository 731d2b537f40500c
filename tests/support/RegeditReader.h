// Reads a REGEDIT4 file back the way regedit does: key lines, quoted names
// with their escapes, strings, dwords and hex data over continued lines.
// The tests check the writer against it.
#pragma once

#include <string>
#include <vector>

#include "registry/RegeditFile.h"

namespace velo {

// The code pages regedit may read the file in: byte by byte, or by
// character in Japanese (932), where a byte from 0x81 to 0x9f or 0xe0 to
// 0xfc leads a character and takes the byte after it along.
enum ReadingCodePage { kSingleByte, kShiftJis932 };

// The keys in file order; false, with the line that could not be read in
// *error, when the text is not a REGEDIT4 file.
bool ReadRegedit4(const std::string& text, std::vector<RegeditKey>* keys,
                  std::string* error, ReadingCodePage codePage = kSingleByte);

}  // namespace velo
