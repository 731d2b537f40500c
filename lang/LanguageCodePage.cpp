#include "lang/LanguageCodePage.h"

#include <algorithm>

#include "lang/LanguageFiles.h"

namespace velo {

namespace {

// A value longer than this is no code page.
const size_t kValueBuffer = 8;

bool IsPlainAscii(const std::string& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x80;
  });
}

}  // namespace

const char kCodePageKey[] = "CodePage";

unsigned NamedCodePage(const IniFile& ini) {
  std::string text = ini.GetString(kTextSection, kCodePageKey, "", kValueBuffer);
  if (text.empty() || text.size() > 5) return 0;
  unsigned number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number;
}

bool CanDrawLanguage(const FileContents& file, unsigned ansiCodePage) {
  if (file.state != FileState::kRead || IsPlainAscii(file.bytes)) return true;
  unsigned named = NamedCodePage(IniFile(file));
  return named != 0 && named == ansiCodePage;
}

}  // namespace velo
