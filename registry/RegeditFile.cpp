#include "registry/RegeditFile.h"

#include <cstdint>

namespace velo {

namespace {

const char kLineEnd[] = "\r\n";
// Where regedit itself breaks a long line of hex bytes.
const size_t kHexLineWidth = 76;

bool HoldsAnyOf(const std::string& text, const std::string& characters) {
  return text.find_first_of(characters) != std::string::npos;
}

const std::string kLineBreakOrNul("\r\n\0", 3);

// Regedit reads its file by character in the running ANSI code page. On a
// double-byte one (932 and the other East Asian ones) a byte from 0x80 up
// may lead a character and take the byte after it along: a "\\", "\"" or
// "]" there is no longer one, and a lead byte at the end takes the closing
// quote or bracket. Whatever the code page the file is imported under, no
// such byte may stand before one of `specials` or at the end.
bool MisreadByCharacter(const std::string& text, const std::string& specials) {
  for (size_t i = 0; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80 &&
        (i + 1 == text.size() || specials.find(text[i + 1]) != std::string::npos))
      return true;
  return false;
}

bool NamesAKeyLine(const std::string& path) {
  return !path.empty() && !HoldsAnyOf(path, kLineBreakOrNul + "]") &&
         !MisreadByCharacter(path, "\\]");
}

bool QuotesAName(const std::string& name) {
  return !HoldsAnyOf(name, kLineBreakOrNul) &&
         !MisreadByCharacter(name, "\\\"");
}

// `number` in lower-case hexadecimal, at least `width` digits.
std::string LowerHex(uint32_t number, size_t width) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789abcdef"[number % 16]);
    number /= 16;
  } while (number != 0);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A name as a note shows it, on one line.
std::string Shown(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') shown += "\\r";
    else if (c == '\n') shown += "\\n";
    else if (c == '\0') shown += "\\0";
    else shown += c;
  }
  return "\"" + shown + "\"";
}

// One line of text ended by its single NUL, which regedit stores as it reads.
bool IsPlainString(const RegValue& value) {
  const std::vector<uint8_t>& data = value.data;
  if (value.type != kRegSz || data.empty() || data.back() != 0) return false;
  std::string text(data.begin(), data.end() - 1);
  return !HoldsAnyOf(text, kLineBreakOrNul) &&
         !MisreadByCharacter(text, "\\\"");
}

// hex:, hex(2): ... with the bytes, broken as regedit breaks them.
std::string HexData(const RegValue& value, size_t nameWidth) {
  std::string out = value.type == kRegBinary
                        ? "hex:"
                        : "hex(" + LowerHex(value.type, 1) + "):";
  size_t column = nameWidth + out.size();
  for (size_t i = 0; i < value.data.size(); ++i) {
    out += LowerHex(value.data[i], 2);
    column += 2;
    if (i + 1 < value.data.size()) {
      out += ',';
      ++column;
      if (column >= kHexLineWidth) {
        out += "\\";
        out += kLineEnd;
        out += "  ";
        column = 2;
      }
    }
  }
  return out;
}

std::string Data(const RegValue& value, size_t nameWidth) {
  if (IsPlainString(value))
    return Quoted(std::string(value.data.begin(), value.data.end() - 1));
  if (value.type == kRegDword && value.data.size() == 4) {
    uint32_t number = value.data[0] | value.data[1] << 8 |
                      value.data[2] << 16 |
                      static_cast<uint32_t>(value.data[3]) << 24;
    return "dword:" + LowerHex(number, 8);
  }
  return HexData(value, nameWidth);
}

}  // namespace

RegeditText WriteRegedit4(const std::vector<RegeditKey>& keys) {
  RegeditText out;
  out.text = std::string("REGEDIT4") + kLineEnd;
  for (const RegeditKey& key : keys) {
    if (!NamesAKeyLine(key.path)) {
      out.leftOut.push_back("key " + Shown(key.path) +
                            ": its name holds \"]\", a line break or a "
                            "character regedit would misread");
      continue;
    }
    out.text += kLineEnd + ("[" + key.path + "]") + kLineEnd;
    for (const auto& value : key.values) {
      if (!QuotesAName(value.first)) {
        out.leftOut.push_back("value " + Shown(value.first) + " of " +
                              Shown(key.path) +
                              ": its name holds a line break or a character "
                              "regedit would misread");
        continue;
      }
      std::string name = value.first.empty() ? "@" : Quoted(value.first);
      out.text += name + "=" + Data(value.second, name.size() + 1) + kLineEnd;
    }
  }
  return out;
}

}  // namespace velo
