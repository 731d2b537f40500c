#include "fuzz/FuzzTargets.h"
#include "registry/RegeditFile.h"
#include "support/RegeditReader.h"

namespace velo {

namespace {

// Takes the bytes in order; past the end every read gives 0.
class ByteSource {
 public:
  ByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A length byte, then that many bytes.
  std::string Text() {
    size_t length = Byte() % 24;
    std::string text;
    while (length-- > 0) text += static_cast<char>(Byte());
    return text;
  }
  bool Done() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

bool HoldsLineBreakOrNul(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// Whether a byte that may lead a double-byte character stands last or
// before one of `specials`: in such a name regedit reads the two as one.
bool DoubleByteMayHide(const std::string& text, const std::string& specials) {
  for (size_t i = 0; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80 &&
        (i + 1 == text.size() || specials.find(text[i + 1]) != std::string::npos))
      return true;
  return false;
}

}  // namespace

std::string FuzzRegeditFile(const uint8_t* data, size_t size) {
  ByteSource bytes(data, size);
  std::vector<RegeditKey> keys, comesBack;
  size_t leftOut = 0;
  while (!bytes.Done() && keys.size() < 16) {
    RegeditKey key{(bytes.Byte() & 1 ? "HKEY_CURRENT_USER\\"
                                     : "HKEY_LOCAL_MACHINE\\") + bytes.Text(),
                   {}};
    size_t count = bytes.Byte() % 6;
    for (size_t i = 0; i < count; ++i) {
      std::string name = bytes.Text();
      // Mostly the types the program keeps, sometimes any other.
      const RegType kTypes[] = {kRegSz, kRegSz, kRegDword, kRegBinary,
                                kRegExpandSz, kRegMultiSz};
      uint8_t pick = bytes.Byte();
      RegValue value;
      value.type = pick < 240 ? kTypes[pick % 6] : pick - 240;
      std::string content = bytes.Text();
      value.data.assign(content.begin(), content.end());
      if (bytes.Byte() & 1) value.data.push_back(0);
      key.values.emplace_back(name, value);
    }
    keys.push_back(key);
    bool keyOut = HoldsLineBreakOrNul(key.path) ||
                  key.path.find(']') != std::string::npos ||
                  DoubleByteMayHide(key.path, "\\]");
    if (keyOut) {
      ++leftOut;
      continue;
    }
    RegeditKey kept{key.path, {}};
    for (const auto& value : key.values) {
      if (HoldsLineBreakOrNul(value.first) ||
          DoubleByteMayHide(value.first, "\\\""))
        ++leftOut;
      else
        kept.values.push_back(value);
    }
    comesBack.push_back(kept);
  }
  RegeditText file = WriteRegedit4(keys);
  // The same values, whichever code page regedit reads the file in.
  for (ReadingCodePage codePage : {kSingleByte, kShiftJis932}) {
    const std::string in = codePage == kSingleByte ? "" : " in code page 932";
    std::vector<RegeditKey> read;
    std::string error;
    if (!ReadRegedit4(file.text, &read, &error, codePage))
      return "the file does not read back" + in + ": " + error;
    if (read.size() != comesBack.size())
      return "wrote " + std::to_string(comesBack.size()) + " keys, read back " +
             std::to_string(read.size()) + in;
    for (size_t i = 0; i < read.size(); ++i)
      if (!(read[i] == comesBack[i]))
        return "key " + std::to_string(i) + " reads back otherwise" + in;
  }
  if (file.leftOut.size() != leftOut)
    return std::to_string(file.leftOut.size()) + " notes for " +
           std::to_string(leftOut) + " left out";
  return "";
}

}  // namespace velo
