#include "lang/LanguageFileTexts.h"

#include <utility>

#include "lang/IniFile.h"
#include "lang/LanguageCodePage.h"
#include "lang/LanguageFiles.h"

namespace velo {

namespace {

// Texts are read into a buffer of this many characters, NUL included.
const size_t kTextBuffer = 2000;

// Turns every "*" into a line feed, one character of the ANSI code page at a
// time so that the trail byte of a double-byte character is never taken for
// one. A lead byte left without its trail byte (the buffer cut the character
// in two) is dropped.
std::string BreakLines(const std::string& text,
                       const LanguagePlatform& platform) {
  std::string broken;
  broken.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (platform.IsLeadByte(static_cast<unsigned char>(c))) {
      if (i + 1 == text.size()) break;
      broken += c;
      broken += text[++i];
    } else {
      broken += c == '*' ? '\n' : c;
    }
  }
  return broken;
}

}  // namespace

std::string LanguageFileTexts::CurrentPath() const {
  return LanguageFilePath(appPath_, language_, ".ini");
}

std::string LanguageFileTexts::Load(const std::string& key,
                                    const std::string& englishDefault) const {
  std::string path = CurrentPath();
  FileContents read = path == heldPath_ ? held_ : platform_.ReadWholeFile(path);
  // A language this Windows would garble shows the built-in English, as if
  // its file were missing; the choice itself stays, for a Windows of its
  // code page.
  IniFile file(CanDrawLanguage(read, platform_.AnsiCodePage()) ? std::move(read)
                                                               : FileContents());
  return BreakLines(file.GetString(kTextSection, key, englishDefault, kTextBuffer),
                    platform_);
}

LanguageFileTexts::OneReading::OneReading(const LanguageFileTexts& texts)
    : texts_(texts), holds_(texts.heldPath_.empty()) {
  if (!holds_) return;
  std::string path = texts.CurrentPath();
  texts.held_ = texts.platform_.ReadWholeFile(path);
  texts.heldPath_ = path;
}

LanguageFileTexts::OneReading::~OneReading() {
  if (!holds_) return;
  texts_.heldPath_.clear();
  texts_.held_ = FileContents();
}

}  // namespace velo
