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
//
// The calls of the hosting protocol, and what the control asks of its site,
// are logged between them with a name instead of a DISPID, then the words
// that tell what was passed or answered:
//   skin IClassFactory::CreateInstance
//   skin IOleObject::SetClientSite site          (or null)
//   skin Ambient::UserMode BOOL:true             (as above; "none" when the
//                                                 site did not answer)
//   skin IPersistStreamInit::Load 564B534E0100   (the bytes read, in hex)
//   skin IOleObject::DoVerb -5 12,20,44,53       (verb, rectangle given)
//   skin InPlace::Window 65600 12,20,44,53       (the window it made: its
//                                                 parent, its rectangle there)
//   skin InPlace::Refused GetWindowContext       (the site step that failed)
//   skin IUnknown::Release last                  (the object is gone)
// Rectangles are left,top,right,bottom in the parent's client coordinates;
// window handles are decimal.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velo {

// A value as TYPE:value.
std::string FormatValue(const VARIANT& value);
std::string FormatBytes(const std::vector<uint8_t>& bytes);
std::string FormatRect(const RECT& rect);

std::string FormatCall(const char* object, DISPID id,
                       const DISPPARAMS& parameters);

// Appends the object's name and the words of a hosting call; a line that
// cannot be made (no memory) is left out, so it shows as a missing line.
void LogHostingCall(const char* object, const std::string& words);

// Appends `line` and a line feed; the file is opened and closed each time
// so that several processes can share it.
void AppendToCallLog(const std::string& line);

}  // namespace velo
