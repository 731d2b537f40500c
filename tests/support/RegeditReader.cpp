#include "support/RegeditReader.h"

#include <cstdlib>

namespace velo {

namespace {

// The logical lines: each ends in CRLF, and one that ends in ",\" after hex
// bytes goes on with the next, less its leading blanks.
bool LogicalLines(const std::string& text, std::vector<std::string>* lines) {
  std::string line;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) return false;
    std::string piece = text.substr(start, end - start);
    start = end + 2;
    if (!line.empty()) piece.erase(0, piece.find_first_not_of(' '));
    line += piece;
    if (line[0] != '[' && line.size() > 1 &&
        line.compare(line.size() - 2, 2, ",\\") == 0) {
      line.pop_back();
      continue;
    }
    lines->push_back(line);
    line.clear();
  }
  return line.empty();
}

// How many bytes the character at `at` takes.
size_t CharacterSize(const std::string& line, size_t at,
                     ReadingCodePage codePage) {
  const unsigned char byte = static_cast<unsigned char>(line[at]);
  const bool lead = (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
  return codePage == kShiftJis932 && lead && at + 1 < line.size() ? 2 : 1;
}

// The quoted text at `*at`, its escapes undone; `*at` ends past the quote.
bool Unquote(const std::string& line, size_t* at, std::string* text,
             ReadingCodePage codePage) {
  if (*at >= line.size() || line[*at] != '"') return false;
  for (size_t i = *at + 1; i < line.size(); ++i) {
    if (CharacterSize(line, i, codePage) == 2) {
      *text += line.substr(i++, 2);
      continue;
    }
    char c = line[i];
    if (c == '"') return *at = i + 1, true;
    if (c == '\\' && (++i >= line.size() || (line[i] != '\\' && line[i] != '"')))
      return false;
    *text += line[i];
  }
  return false;
}

bool IsHex(const std::string& digits) {
  return !digits.empty() &&
         digits.find_first_not_of("0123456789abcdef") == std::string::npos;
}

bool Data(const std::string& text, RegValue* value, ReadingCodePage codePage) {
  size_t at = 0;
  std::string string;
  if (Unquote(text, &at, &string, codePage)) {
    *value = RegValue::Text(string);
    return at == text.size();
  }
  size_t colon = text.find(':');
  std::string kind = text.substr(0, colon), rest = text.substr(colon + 1);
  if (colon == std::string::npos) return false;
  if (kind == "dword") {
    *value = RegValue::Dword(std::strtoul(rest.c_str(), nullptr, 16));
    return rest.size() == 8 && IsHex(rest);
  }
  if (kind == "hex") {
    value->type = kRegBinary;
  } else if (kind.compare(0, 4, "hex(") == 0 && kind.back() == ')' &&
             IsHex(kind.substr(4, kind.size() - 5))) {
    value->type = std::strtoul(kind.c_str() + 4, nullptr, 16);
  } else {
    return false;
  }
  value->data.clear();
  for (size_t i = 0; i < rest.size(); i += 3) {
    std::string byte = rest.substr(i, 2);
    if (!IsHex(byte) || byte.size() != 2 ||
        (i + 2 < rest.size() && rest[i + 2] != ','))
      return false;
    value->data.push_back(std::strtoul(byte.c_str(), nullptr, 16));
  }
  return rest.empty() || rest.back() != ',';
}

}  // namespace

// Whether the key line ends in a "]" of its own, not in the second byte of
// a character.
bool EndsInBracket(const std::string& line, ReadingCodePage codePage) {
  size_t last = 0;
  for (size_t i = 0; i < line.size(); i += CharacterSize(line, i, codePage))
    last = i;
  return line[last] == ']' && last + 1 == line.size();
}

bool ReadRegedit4(const std::string& text, std::vector<RegeditKey>* keys,
                  std::string* error, ReadingCodePage codePage) {
  std::vector<std::string> lines;
  if (!LogicalLines(text, &lines) || lines.empty() || lines[0] != "REGEDIT4")
    return *error = "no REGEDIT4 file of CRLF lines", false;
  keys->clear();
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (line[0] == '[') {
      if (!EndsInBracket(line, codePage)) return *error = line, false;
      keys->push_back(RegeditKey{line.substr(1, line.size() - 2), {}});
      continue;
    }
    std::string name;
    size_t at = line[0] == '@' ? 1 : 0;
    RegValue value;
    if (keys->empty() || (at == 0 && !Unquote(line, &at, &name, codePage)) ||
        at >= line.size() || line[at] != '=' ||
        !Data(line.substr(at + 1), &value, codePage))
      return *error = line, false;
    keys->back().values.emplace_back(name, value);
  }
  return true;
}

}  // namespace velo
