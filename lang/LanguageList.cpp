#include "lang/LanguageList.h"

#include "lang/LanguageFiles.h"
#include "registry/PathNames.h"

namespace velo {

size_t LanguageList::Add(const std::string& fileName, bool hasFlag,
                         const std::string& shown) {
  LanguageItem item;
  item.name = LanguageName(fileName);
  item.shown = shown.empty() ? item.name : shown;
  // The flags take the image list's slots 0, 1, 2... in turn.
  item.image = hasFlag ? images_++ : -1;
  // Inserting at -1 appends; an image index never exceeds the item count,
  // as every earlier flag has its item.
  size_t position = item.image < 0 ? items_.size()
                                   : static_cast<size_t>(item.image);
  items_.insert(items_.begin() + position, item);
  return position;
}

void LanguageList::LeaveOut(const std::string& fileName) {
  leftOut_.push_back(LanguageName(fileName));
}

int LanguageList::IndexOf(const std::string& language) const {
  if (language.empty()) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (NamesEqual(items_[i].name, language)) return static_cast<int>(i);
  return -1;
}

int LanguageList::SelectionFor(const std::string& language) const {
  for (const std::string& name : leftOut_)
    if (NamesEqual(name, language)) return IndexOf(kBuiltInLanguage);
  return IndexOf(language);
}

}  // namespace velo
