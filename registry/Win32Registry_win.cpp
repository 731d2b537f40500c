#include "registry/Win32Registry.h"

#include <windows.h>

#include <vector>

namespace velo {

namespace {

HKEY ToHkey(RegHandle key) { return reinterpret_cast<HKEY>(key); }

REGSAM ToSam(RegAccess access) {
  return access == kAccessReadWrite ? (KEY_READ | KEY_WRITE) : KEY_READ;
}

}  // namespace

RegStatus Win32Registry::OpenKey(RegHandle parent, const std::string& path,
                                 RegAccess access, RegHandle* key) {
  HKEY opened = nullptr;
  LONG status =
      RegOpenKeyExA(ToHkey(parent), path.c_str(), 0, ToSam(access), &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<RegHandle>(opened);
  return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::CreateKey(RegHandle parent, const std::string& path,
                                   RegAccess access, RegHandle* key) {
  HKEY created = nullptr;
  LONG status = RegCreateKeyExA(ToHkey(parent), path.c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, ToSam(access),
                                nullptr, &created, nullptr);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<RegHandle>(created);
  return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::CloseKey(RegHandle key) {
  return static_cast<RegStatus>(RegCloseKey(ToHkey(key)));
}

RegStatus Win32Registry::QueryValue(RegHandle key, const std::string& name,
                                    RegType* type, uint8_t* data,
                                    uint32_t* size) {
  DWORD got = size ? *size : 0;
  DWORD gotType = 0;
  LONG status = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &gotType,
                                 data, size ? &got : nullptr);
  if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA))
    *type = gotType;
  if (size) *size = got;
  return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::SetValue(RegHandle key, const std::string& name,
                                  RegType type, const uint8_t* data,
                                  uint32_t size) {
  // The NT family stores `size` bytes, but counts one more for a string that
  // lacks its NUL when the byte after the data is zero: a non-zero byte there
  // keeps the exact length. Windows 95/98/Me store a string up to its first
  // NUL whatever the size: a NUL there ends a string that lacks one instead
  // of letting the system read on past the data.
  const bool storesToFirstNul = (GetVersion() & 0x80000000) != 0;
  std::vector<BYTE> copy(data, data + size);
  copy.push_back(storesToFirstNul ? 0 : 0xff);
  return static_cast<RegStatus>(
      RegSetValueExA(ToHkey(key), name.c_str(), 0, type, copy.data(), size));
}

RegStatus Win32Registry::DeleteValue(RegHandle key, const std::string& name) {
  return static_cast<RegStatus>(RegDeleteValueA(ToHkey(key), name.c_str()));
}

RegStatus DeleteTreeByHand(RegHandle parent, const std::string& path) {
  HKEY key = nullptr;
  LONG status = RegOpenKeyExA(ToHkey(parent), path.c_str(), 0,
                              KEY_READ | KEY_WRITE, &key);
  if (status != ERROR_SUCCESS) return static_cast<RegStatus>(status);
  // Always the first subkey: each one deleted moves the next to index 0.
  std::vector<char> name(256);
  for (;;) {
    DWORD length = static_cast<DWORD>(name.size());
    status = RegEnumKeyExA(key, 0, name.data(), &length, nullptr, nullptr,
                           nullptr, nullptr);
    if (status == ERROR_MORE_DATA) {
      name.resize(name.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    status = static_cast<LONG>(DeleteTreeByHand(
        reinterpret_cast<RegHandle>(key), std::string(name.data(), length)));
    if (status != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  if (status != ERROR_NO_MORE_ITEMS) return static_cast<RegStatus>(status);
  return static_cast<RegStatus>(RegDeleteKeyA(ToHkey(parent), path.c_str()));
}

RegStatus Win32Registry::DeleteTree(RegHandle parent,
                                    const std::string& path) {
  // The shell's SHDeleteKeyA where the system has it; Windows 95 without a
  // newer Internet Explorer has no SHLWAPI, so the program does not import it.
  typedef DWORD(WINAPI * ShellDeleteKey)(HKEY, LPCSTR);
  static const ShellDeleteKey shellDeleteKey = [] {
    HMODULE shell = LoadLibraryA("shlwapi.dll");
    return shell ? reinterpret_cast<ShellDeleteKey>(reinterpret_cast<void*>(
                       GetProcAddress(shell, "SHDeleteKeyA")))
                 : nullptr;
  }();
  if (shellDeleteKey)
    return static_cast<RegStatus>(shellDeleteKey(ToHkey(parent), path.c_str()));
  return DeleteTreeByHand(parent, path);
}

RegStatus Win32Registry::EnumKey(RegHandle key, uint32_t index, char* name,
                                 uint32_t* nameLen) {
  DWORD length = *nameLen;
  LONG status = RegEnumKeyExA(ToHkey(key), index, name, &length, nullptr,
                              nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) *nameLen = length;
  return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::EnumValue(RegHandle key, uint32_t index, char* name,
                                   uint32_t* nameLen, RegType* type,
                                   uint8_t* data, uint32_t* dataLen) {
  DWORD length = *nameLen;
  DWORD gotType = 0;
  DWORD gotData = dataLen ? *dataLen : 0;
  LONG status = RegEnumValueA(ToHkey(key), index, name, &length, nullptr,
                              &gotType, data, dataLen ? &gotData : nullptr);
  if (status == ERROR_SUCCESS) {
    *nameLen = length;
    if (type) *type = gotType;
  }
  if (dataLen && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA))
    *dataLen = gotData;
  return static_cast<RegStatus>(status);
}

RegStatus Win32Registry::QueryInfoKey(RegHandle key, RegKeyInfo* info) {
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0,
        maxValueLen = 0;
  LONG status = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr,
                                 &subKeys, &maxSubKeyLen, nullptr, &values,
                                 &maxValueNameLen, &maxValueLen, nullptr,
                                 nullptr);
  if (status == ERROR_SUCCESS) {
    info->subKeys = subKeys;
    info->maxSubKeyLen = maxSubKeyLen;
    info->values = values;
    info->maxValueNameLen = maxValueNameLen;
    info->maxValueLen = maxValueLen;
  }
  return static_cast<RegStatus>(status);
}

}  // namespace velo
