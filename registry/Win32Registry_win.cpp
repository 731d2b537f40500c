#include "registry/Win32Registry.h"

#include <windows.h>
#include <shlwapi.h>

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
  // RegSetValueExA counts one more byte for a string that lacks its NUL when
  // the byte after the data is zero. Hand it a copy followed by a non-zero
  // byte so exactly `size` bytes are stored.
  std::vector<BYTE> copy(data, data + size);
  copy.push_back(0xff);
  return static_cast<RegStatus>(
      RegSetValueExA(ToHkey(key), name.c_str(), 0, type, copy.data(), size));
}

RegStatus Win32Registry::DeleteValue(RegHandle key, const std::string& name) {
  return static_cast<RegStatus>(RegDeleteValueA(ToHkey(key), name.c_str()));
}

RegStatus Win32Registry::DeleteTree(RegHandle parent,
                                    const std::string& path) {
  return static_cast<RegStatus>(SHDeleteKeyA(ToHkey(parent), path.c_str()));
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
