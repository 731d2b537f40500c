// Where every visible text comes from: a key and the built-in English text
// to use when the current language file does not have it.
#pragma once

#include <string>

namespace velo {

class Texts {
 public:
  virtual ~Texts() {}
  // The localized text with every "*" turned into a line feed.
  virtual std::string Load(const std::string& key,
                           const std::string& englishDefault) const = 0;
};

}  // namespace velo
