// The stand-in's log: one line per method call, appended to the file that
// VELO_SKIN_LOG names at the time of the call (no variable, no log). Fields
// are separated by single spaces:
//   skin 60020007 I4:131234 BSTR:Small%20Button
// the object's name, the DISPID in hexadecimal, then each argument in the
// order the method declares it, as TYPE:value. A text is written as UTF-8
// with every space, control character, "%" and byte above 0x7E as %XX, so
// the line stays one word per argument. Types: I4 (decimal), BSTR, BOOL
// (false, true, or the raw number when it is neither VARIANT_FALSE nor
// VARIANT_TRUE); any other type is written as VT and its number in hex.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace velo {

std::string FormatCall(const char* object, DISPID id,
                       const DISPPARAMS& parameters);

// Appends `line` and a line feed; the file is opened and closed each time
// so that several processes can share it.
void AppendToCallLog(const std::string& line);

}  // namespace velo
