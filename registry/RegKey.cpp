#include "registry/RegKey.h"

#include <cstring>

namespace velo {

RegValue RegValue::Dword(uint32_t number) {
  RegValue value;
  value.type = kRegDword;
  for (int i = 0; i < 4; ++i) value.data.push_back((number >> (8 * i)) & 0xff);
  return value;
}

RegValue RegValue::Text(const std::string& text) {
  RegValue value;
  value.type = kRegSz;
  value.data.assign(text.begin(), text.end());
  value.data.push_back(0);
  return value;
}

std::string RegValue::AsText() const {
  const char* begin = reinterpret_cast<const char*>(data.data());
  size_t length = 0;
  while (length < data.size() && data[length] != 0) ++length;
  return std::string(begin, length);
}

RegStatus RegKey::Open(RegHandle parent, const std::string& path,
                       RegAccess access) {
  Close();
  return registry_.OpenKey(parent, path, access, &handle_);
}

RegStatus RegKey::Create(RegHandle parent, const std::string& path,
                         RegAccess access) {
  Close();
  return registry_.CreateKey(parent, path, access, &handle_);
}

void RegKey::Close() {
  if (handle_ != kRegNoHandle) registry_.CloseKey(handle_);
  handle_ = kRegNoHandle;
}

RegStatus RegKey::Read(const std::string& name, RegValue* value) const {
  // The value may grow between the size query and the read; ask again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    uint32_t size = 0;
    RegType type = kRegNone;
    RegStatus status = registry_.QueryValue(handle_, name, &type, nullptr, &size);
    if (status != kRegOk) return status;
    // One spare byte so that a string without its NUL is not reported short.
    std::vector<uint8_t> buffer(size + 1);
    uint32_t got = static_cast<uint32_t>(buffer.size());
    status = registry_.QueryValue(handle_, name, &type, buffer.data(), &got);
    if (status == kRegMoreData) continue;
    if (status != kRegOk) return status;
    buffer.resize(got <= size ? got : size);
    value->type = type;
    value->data.swap(buffer);
    return kRegOk;
  }
  return kRegMoreData;
}

RegStatus RegKey::Write(const std::string& name, const RegValue& value) const {
  return registry_.SetValue(handle_, name, value.type, value.data.data(),
                            static_cast<uint32_t>(value.data.size()));
}

RegStatus RegKey::Delete(const std::string& name) const {
  return registry_.DeleteValue(handle_, name);
}

namespace {

// Names are enumerated into a buffer sized from the key's own report of its
// longest name; a name added meanwhile gets one more try with a larger one.
template <typename EnumFn>
RegStatus EnumName(uint32_t longest, EnumFn enumerate, std::string* name) {
  for (uint32_t capacity = longest + 1; capacity <= 65536; capacity *= 2) {
    std::vector<char> buffer(capacity);
    uint32_t length = capacity;
    RegStatus status = enumerate(buffer.data(), &length);
    if (status == kRegMoreData) continue;
    if (status != kRegOk) return status;
    name->assign(buffer.data(), length);
    return kRegOk;
  }
  return kRegMoreData;
}

}  // namespace

RegStatus RegKey::SubKeyName(uint32_t index, std::string* name) const {
  RegKeyInfo info;
  RegStatus status = registry_.QueryInfoKey(handle_, &info);
  if (status != kRegOk) return status;
  return EnumName(
      info.maxSubKeyLen,
      [&](char* buffer, uint32_t* length) {
        return registry_.EnumKey(handle_, index, buffer, length);
      },
      name);
}

RegStatus RegKey::ValueName(uint32_t index, std::string* name) const {
  RegKeyInfo info;
  RegStatus status = registry_.QueryInfoKey(handle_, &info);
  if (status != kRegOk) return status;
  return EnumName(
      info.maxValueNameLen,
      [&](char* buffer, uint32_t* length) {
        return registry_.EnumValue(handle_, index, buffer, length, nullptr,
                                   nullptr, nullptr);
      },
      name);
}

}  // namespace velo
