// An open registry key that closes itself, with reads that cannot overflow:
// values and names are fetched whole, whatever their size.
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velo {

// A value as stored: its type and every data byte.
struct RegValue {
  RegType type = kRegNone;
  std::vector<uint8_t> data;

  static RegValue Dword(uint32_t number);
  // The text with its terminating NUL, as Windows stores a REG_SZ.
  static RegValue Text(const std::string& text);

  // The data up to the first NUL, or all of it when none is stored.
  std::string AsText() const;
  bool operator==(const RegValue& other) const {
    return type == other.type && data == other.data;
  }
  bool operator!=(const RegValue& other) const { return !(*this == other); }
};

class RegKey {
 public:
  explicit RegKey(Registry& registry) : registry_(registry) {}
  ~RegKey() { Close(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  RegStatus Open(RegHandle parent, const std::string& path, RegAccess access);
  RegStatus Create(RegHandle parent, const std::string& path,
                   RegAccess access);
  void Close();

  bool IsOpen() const { return handle_ != kRegNoHandle; }
  RegHandle Handle() const { return handle_; }
  Registry& Api() const { return registry_; }

  // The whole value, however large.
  RegStatus Read(const std::string& name, RegValue* value) const;
  RegStatus Write(const std::string& name, const RegValue& value) const;
  RegStatus Delete(const std::string& name) const;

  // The name of the subkey or value at `index`, whole.
  RegStatus SubKeyName(uint32_t index, std::string* name) const;
  RegStatus ValueName(uint32_t index, std::string* name) const;

 private:
  Registry& registry_;
  RegHandle handle_ = kRegNoHandle;
};

}  // namespace velo
