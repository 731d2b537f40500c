// Which characters of a text the font a device context has selected cannot
// draw: those it would show as its default character (a box, a bar or a
// blank) instead. The font is the one the system realized for the control,
// substitutes applied; it is asked for each character's glyph in its own
// terms, a TrueType font through its Unicode table and a raster font through
// the one code page its characters are laid out in.
#pragma once

#include <windows.h>

#include <string>

namespace velo {

// The distinct characters of `text` (control characters aside) that the
// font selected into `dc` has no glyph for, in the order they first come.
std::wstring MissingGlyphs(HDC dc, const std::wstring& text);

// "'X' (U+0058), ..." for `characters`, each in UTF-8.
std::string CharactersNamed(const std::wstring& characters);

// The face name of the font selected into `dc`, in UTF-8.
std::string FaceOf(HDC dc);

}  // namespace velo
