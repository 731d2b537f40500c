#include "support/RegeditReader.h"

#include <cstdlib>

namespace velo {

namespace {

// The file's logical lines: CRLF ends a line, and a line that ends in a
// backslash after hex data goes on with the next one, less its blanks.
std::vector<std::string> LogicalLines(const std::string& text, bool* crlf) {
  std::vector<std::string> lines;
  std::string line;
  bool continued = false;
  *crlf = true;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos || end == start || text[end - 1] != '\r') {
      *crlf = false;
      return lines;
    }
    std::string piece = text.substr(start, end - 1 - start);
    start = end + 1;
    if (continued) piece.erase(0, piece.find_first_not_of(' '));
    line += piece;
    continued = line.size() > 1 && line[0] != '[' &&
                line.compare(line.size() - 2, 2, ",\\") == 0;
    if (continued) {
      line.pop_back();
      continue;
    }
    lines.push_back(line);
    line.clear();
  }
  if (continued) *crlf = false;
  return lines;
}

// A quoted text from `at`, its escapes undone; `at` ends past the quote.
bool Unquote(const std::string& line, size_t* at, std::string* text) {
  if (*at >= line.size() || line[*at] != '"') return false;
  for (size_t i = *at + 1; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      *at = i + 1;
      return true;
    }
    if (c == '\\') {
      if (++i >= line.size() || (line[i] != '\\' && line[i] != '"'))
        return false;
      c = line[i];
    }
    *text += c;
  }
  return false;
}

bool HexBytes(const std::string& list, std::vector<uint8_t>* bytes) {
  if (list.empty()) return true;
  size_t at = 0;
  for (;;) {
    if (at + 2 > list.size() || !isxdigit(static_cast<unsigned char>(list[at])) ||
        !isxdigit(static_cast<unsigned char>(list[at + 1])))
      return false;
    bytes->push_back(static_cast<uint8_t>(
        std::strtoul(list.substr(at, 2).c_str(), nullptr, 16)));
    at += 2;
    if (at == list.size()) return true;
    if (list[at++] != ',') return false;
  }
}

bool Data(const std::string& text, RegValue* value) {
  if (!text.empty() && text[0] == '"') {
    size_t at = 0;
    std::string string;
    if (!Unquote(text, &at, &string) || at != text.size()) return false;
    *value = RegValue::Text(string);
    return true;
  }
  if (text.compare(0, 6, "dword:") == 0) {
    std::string digits = text.substr(6);
    if (digits.size() != 8 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      return false;
    *value = RegValue::Dword(
        static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16)));
    return true;
  }
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = text.substr(0, colon);
  value->data.clear();
  if (kind == "hex") {
    value->type = kRegBinary;
  } else if (kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 &&
             kind.back() == ')') {
    std::string number = kind.substr(4, kind.size() - 5);
    if (number.find_first_not_of("0123456789abcdef") != std::string::npos)
      return false;
    value->type = static_cast<RegType>(std::strtoul(number.c_str(), nullptr, 16));
  } else {
    return false;
  }
  return HexBytes(text.substr(colon + 1), &value->data);
}

}  // namespace

bool ReadRegedit4(const std::string& text, std::vector<RegeditKey>* keys,
                  std::string* error) {
  bool crlf = false;
  std::vector<std::string> lines = LogicalLines(text, &crlf);
  if (!crlf) return *error = "a line not ended by CRLF", false;
  if (lines.empty() || lines[0] != "REGEDIT4") return *error = "no REGEDIT4", false;
  keys->clear();
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty()) continue;
    if (line[0] == '[') {
      size_t close = line.rfind(']');
      if (close != line.size() - 1) return *error = line, false;
      keys->push_back(RegeditKey{line.substr(1, close - 1), {}});
      continue;
    }
    if (keys->empty()) return *error = line, false;
    std::string name;
    size_t at = 0;
    if (line[0] == '@')
      at = 1;
    else if (!Unquote(line, &at, &name))
      return *error = line, false;
    RegValue value;
    if (at >= line.size() || line[at] != '=' || !Data(line.substr(at + 1), &value))
      return *error = line, false;
    keys->back().values.emplace_back(name, value);
  }
  return true;
}

}  // namespace velo
