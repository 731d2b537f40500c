// Which ANSI code page a language file was written in, told from its bytes
// alone: a translation is measured on screen under the code page it needs,
// and nothing in the file names it.
#pragma once

#include <string>

namespace velo {

// Code pages a language file can be told to be in.
const int kPlainAscii = 0;  // no byte above 127: reads the same in every one
const int kWesternEuropean = 1252;
const int kCyrillic = 1251;
const int kJapanese = 932;

// The code page `bytes` reads as: Japanese when every byte above 127 forms
// a Shift-JIS character and most of them are kana or kanji; otherwise
// Cyrillic when most words with letters above 127 have no Latin letter
// (Russian words are all Cyrillic, German or French words mix); otherwise
// Western European.
int GuessAnsiCodePage(const std::string& bytes);

}  // namespace velo
