#include "support/AnsiCodePage.h"

#include <cctype>

namespace velo {

namespace {

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

bool IsHalfWidthKana(unsigned char byte) { return byte >= 0xA1 && byte <= 0xDF; }

// Lead bytes of the kana and of the common kanji, which Japanese text is
// mostly made of; the rest are symbols and rarer kanji.
bool IsKanaOrCommonKanji(unsigned char lead) { return lead >= 0x82 && lead <= 0x9F; }

// Whether every byte above 127 forms a Shift-JIS character and most of the
// double-byte characters are kana or common kanji.
bool ReadsAsJapanese(const std::string& bytes) {
  int doubleByte = 0, common = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80 || IsHalfWidthKana(byte)) continue;
    if (!IsLeadByte(byte) || i + 1 == bytes.size() ||
        !IsTrailByte(static_cast<unsigned char>(bytes[i + 1])))
      return false;
    ++doubleByte;
    if (IsKanaOrCommonKanji(byte)) ++common;
    ++i;
  }
  return doubleByte > 0 && 2 * common > doubleByte;
}

// Letters above 127 in both single-byte code pages (0xC0 to 0xFF).
bool IsUpperLetter(unsigned char byte) { return byte >= 0xC0; }

bool IsAsciiLetter(unsigned char byte) { return byte < 0x80 && std::isalpha(byte); }

// Whether most words with letters above 127 have no Latin letter.
bool ReadsAsCyrillic(const std::string& bytes) {
  int mixed = 0, upperOnly = 0;
  bool ascii = false, upper = false;
  auto endWord = [&] {
    if (upper) ++(ascii ? mixed : upperOnly);
    ascii = upper = false;
  };
  for (char c : bytes) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (IsAsciiLetter(byte)) ascii = true;
    else if (IsUpperLetter(byte)) upper = true;
    else endWord();
  }
  endWord();
  return upperOnly > mixed;
}

}  // namespace

int GuessAnsiCodePage(const std::string& bytes) {
  bool plain = true;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) plain = false;
  if (plain) return kPlainAscii;
  if (ReadsAsJapanese(bytes)) return kJapanese;
  if (ReadsAsCyrillic(bytes)) return kCyrillic;
  return kWesternEuropean;
}

}  // namespace velo
