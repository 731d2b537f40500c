#include "MissingGlyphs.h"

#include <cstdio>

namespace velo {

namespace {

// What GetGlyphIndicesW answers for a character `dc`'s font has no glyph
// for. U+FFFF is a noncharacter that no font maps, so its answer is the
// mark itself, whatever the system uses for this kind of font.
WORD MissingMark(HDC dc) {
  const wchar_t none = 0xFFFF;
  WORD mark = 0xFFFF;
  if (GetGlyphIndicesW(dc, &none, 1, &mark, GGI_MARK_NONEXISTING_GLYPHS) ==
      GDI_ERROR)
    return 0xFFFF;
  return mark;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(),
                                       static_cast<int>(text.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string utf8(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                      &utf8[0], size, nullptr, nullptr);
  return utf8;
}

}  // namespace

std::wstring MissingGlyphs(HDC dc, const std::wstring& text) {
  const WORD mark = MissingMark(dc);
  std::wstring missing;
  for (wchar_t character : text) {
    if (character < L' ' || missing.find(character) != std::wstring::npos)
      continue;
    WORD glyph = 0;
    // A call that fails tells nothing the font can draw.
    if (GetGlyphIndicesW(dc, &character, 1, &glyph,
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        glyph == mark || glyph == 0xFFFF)
      missing += character;
  }
  return missing;
}

std::string CharactersNamed(const std::wstring& characters) {
  std::string named;
  for (wchar_t character : characters) {
    char code[16];
    std::snprintf(code, sizeof code, "' (U+%04X)",
                  static_cast<unsigned>(character));
    if (!named.empty()) named += ", ";
    named += "'" + Utf8(std::wstring(1, character)) + code;
  }
  return named;
}

std::string FaceOf(HDC dc) {
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  return Utf8(face);
}

}  // namespace velo
