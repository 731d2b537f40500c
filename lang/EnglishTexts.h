// The program's texts by name: each names a key of the language files and
// the English text shown where the current file lacks that key. The table
// itself is EnglishTexts.def.
#pragma once

#include <cstddef>

namespace velo {

enum class TextId {
#define VELO_TEXT(name, key, english) name,
#include "lang/EnglishTexts.def"
#undef VELO_TEXT
};

struct EnglishText {
  const char* key;
  const char* english;
};

// Every text, in the order of the table.
extern const EnglishText kEnglishTexts[];
extern const size_t kEnglishTextCount;

inline const EnglishText& EnglishTextOf(TextId id) {
  return kEnglishTexts[static_cast<size_t>(id)];
}

}  // namespace velo
