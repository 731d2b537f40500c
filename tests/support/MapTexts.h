// Texts from a map, with the English default for keys it lacks: a language
// file in a test's hands.
#pragma once

#include <map>
#include <string>

#include "lang/Texts.h"

namespace velo {

class MapTexts : public Texts {
 public:
  std::map<std::string, std::string> texts;

  std::string Load(const std::string& key,
                   const std::string& englishDefault) const override {
    auto found = texts.find(key);
    return found == texts.end() ? englishDefault : found->second;
  }
  using Texts::Load;
};

}  // namespace velo
