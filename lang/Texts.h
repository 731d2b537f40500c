// Where every visible text comes from: a key and the built-in English text
// to use when the current language file does not have it.
#pragma once

#include <string>

#include "lang/EnglishTexts.h"

namespace velo {

class Texts {
 public:
  virtual ~Texts() {}
  // The localized text with every "*" turned into a line feed.
  virtual std::string Load(const std::string& key,
                           const std::string& englishDefault) const = 0;

  // One of the program's own texts.
  std::string Load(TextId id) const {
    const EnglishText& text = EnglishTextOf(id);
    return Load(text.key, text.english);
  }
};

}  // namespace velo
