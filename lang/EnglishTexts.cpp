#include "lang/EnglishTexts.h"

namespace velo {

const EnglishText kEnglishTexts[] = {
#define VELO_TEXT(name, key, english) {key, english},
#include "lang/EnglishTexts.def"
#undef VELO_TEXT
};

const size_t kEnglishTextCount = sizeof kEnglishTexts / sizeof kEnglishTexts[0];

}  // namespace velo
