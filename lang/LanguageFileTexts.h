// The program's texts from the current language file: key=text lines in the
// section "Lanvora" of "<AppPath>\Lang\<Language>.ini". The file is read
// afresh at every lookup, so a change of language shows with the next one;
// only while a OneReading lives, a window that sets many texts at once reads
// it once for all of them.
#pragma once

#include <string>

#include "lang/LanguagePlatform.h"
#include "lang/Texts.h"

namespace velo {

class LanguageFileTexts : public Texts {
 public:
  // `appPath` and `language` are the application's own strings, read at
  // every lookup; they and `platform` must outlive this object.
  LanguageFileTexts(const std::string& appPath, const std::string& language,
                    const LanguagePlatform& platform)
      : appPath_(appPath), language_(language), platform_(platform) {}

  // The text of `key`, or `englishDefault` when the file, the section or the
  // key is missing, or when the system cannot draw the file's texts
  // (LanguageCodePage.h); at most 1999 characters, with every "*" (but a
  // "*" byte inside a double-byte character) turned into a line feed.
  std::string Load(const std::string& key,
                   const std::string& englishDefault) const override;
  using Texts::Load;

  // While it lives, lookups of the file it read take that reading; a lookup
  // in another file (the language changed meanwhile) still reads its own.
  // Readings do not nest: an inner one leaves the outer one in place.
  class OneReading {
   public:
    explicit OneReading(const LanguageFileTexts& texts);
    ~OneReading();
    OneReading(const OneReading&) = delete;
    OneReading& operator=(const OneReading&) = delete;

   private:
    const LanguageFileTexts& texts_;
    bool holds_ = false;
  };

 private:
  std::string CurrentPath() const;

  const std::string& appPath_;
  const std::string& language_;
  const LanguagePlatform& platform_;
  // The file a OneReading read, and its path; empty path when none lives.
  mutable std::string heldPath_;
  mutable FileContents held_;
};

}  // namespace velo
