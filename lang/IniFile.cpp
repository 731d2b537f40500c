#include "lang/IniFile.h"

#include <string_view>

#include "registry/PathNames.h"

namespace velo {

namespace {

// The blanks of the system's reader: ASCII white space and ^Z (DOS EOF).
bool IsBlank(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 0x09 && byte <= 0x0d) || byte == 0x1a || byte == 0x20;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The reader keeps names and values as C strings: a NUL ends them.
std::string_view UpToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// INI names compare as registry names do: without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return NamesEqual(std::string(a), std::string(b));
}

// One non-blank line of the file.
struct IniLine {
  bool isSection = false;
  std::string_view name;
  bool hasValue = false;
  std::string_view value;
};

// False for a blank line.
bool ParseLine(std::string_view line, IniLine* parsed) {
  line = Trim(line);
  if (line.empty()) return false;
  size_t close = line.rfind(']');
  if (line.front() == '[' && close != std::string_view::npos) {
    parsed->isSection = true;
    parsed->name = UpToNul(Trim(line.substr(1, close - 1)));
    return true;
  }
  size_t equals = line.find('=');
  parsed->isSection = false;
  parsed->hasValue = equals != std::string_view::npos;
  parsed->name = UpToNul(Trim(line.substr(0, equals)));
  if (parsed->hasValue) parsed->value = UpToNul(Trim(line.substr(equals + 1)));
  return true;
}

// The line that decides a lookup, if there is one. `section` and `key` are
// already trimmed.
bool FindKey(std::string_view text, std::string_view section,
             std::string_view key, IniLine* found) {
  bool inSection = section.empty();  // lines before the first header
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    IniLine line;
    if (ParseLine(text.substr(start, end - start), &line)) {
      if (line.isSection) {
        if (inSection) return false;  // only the first such section counts
        inSection = SameName(line.name, section);
      } else if (inSection && SameName(line.name, key)) {
        *found = line;
        return true;
      }
    }
    start = end + 1;
  }
  return false;
}

// Copies a value into a buffer of `size` characters as the system's reader
// does. A text wrapped in matching quotes loses the opening quote and, when
// the buffer has room for all of the rest but perhaps the closing quote, the
// last character copied: the closing quote, or the character before it when
// the closing quote did not fit.
std::string CopyOut(std::string_view text, size_t size) {
  bool quoted = text.size() >= 2 && (text[0] == '"' || text[0] == '\'') &&
                text.back() == text.front();
  if (quoted) text.remove_prefix(1);
  std::string copy(text.substr(0, size - 1));
  if (quoted && size >= text.size() && !copy.empty()) copy.pop_back();
  return copy;
}

}  // namespace

std::string IniFile::GetString(const std::string& section,
                               const std::string& key,
                               const std::string& fallback,
                               size_t bufferSize) const {
  if (bufferSize == 0) return std::string();
  // Trailing spaces (only spaces) go, but never the first character.
  std::string_view shortened = UpToNul(fallback);
  while (shortened.size() > 1 && shortened.back() == ' ')
    shortened.remove_suffix(1);
  if (file_.state == FileState::kNotOpened)
    return std::string(shortened.substr(0, bufferSize - 1));
  IniLine line;
  bool found = file_.state == FileState::kRead &&
               FindKey(file_.bytes, Trim(UpToNul(section)),
                       Trim(UpToNul(key)), &line) &&
               line.hasValue;
  return CopyOut(found ? line.value : shortened, bufferSize);
}

}  // namespace velo
