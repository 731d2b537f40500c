#include "support/RegistryDecorator.h"

namespace velo {

const char* RegCallName(RegCall call) {
  static const char* const kNames[kRegCallKinds] = {
      "OpenKey",  "CreateKey", "CloseKey", "QueryValue",   "SetValue",
      "DeleteValue", "DeleteTree", "EnumKey", "EnumValue", "QueryInfoKey"};
  return kNames[call];
}

std::string RegistryDecorator::PathOf(RegHandle key) const {
  if (key == kHkeyCurrentUser) return "HKCU";
  if (key == kHkeyLocalMachine) return "HKLM";
  auto found = paths_.find(key);
  return found == paths_.end() ? "?" : found->second;
}

RegStatus RegistryDecorator::Check(RegCall call, RegHandle key,
                                   const std::string& sub, RegAccess access) {
  RegCallInfo info{call, PathOf(key), "", access};
  bool keyCall = call == kCallOpenKey || call == kCallCreateKey ||
                 call == kCallDeleteTree;
  if (keyCall)
    info.key += "\\" + sub;
  else
    info.value = sub;
  return Before(info);
}

RegStatus RegistryDecorator::OpenKey(RegHandle parent, const std::string& path,
                                     RegAccess access, RegHandle* key) {
  RegStatus status = Check(kCallOpenKey, parent, path, access);
  if (status == kRegOk) status = inner_.OpenKey(parent, path, access, key);
  if (status == kRegOk) paths_[*key] = PathOf(parent) + "\\" + path;
  return status;
}

RegStatus RegistryDecorator::CreateKey(RegHandle parent,
                                       const std::string& path,
                                       RegAccess access, RegHandle* key) {
  RegStatus status = Check(kCallCreateKey, parent, path, access);
  if (status == kRegOk) status = inner_.CreateKey(parent, path, access, key);
  if (status == kRegOk) paths_[*key] = PathOf(parent) + "\\" + path;
  return status;
}

RegStatus RegistryDecorator::CloseKey(RegHandle key) {
  RegStatus status = Check(kCallCloseKey, key, "");
  if (status != kRegOk) return status;
  paths_.erase(key);
  return inner_.CloseKey(key);
}

RegStatus RegistryDecorator::QueryValue(RegHandle key, const std::string& name,
                                        RegType* type, uint8_t* data,
                                        uint32_t* size) {
  RegStatus status = Check(kCallQueryValue, key, name);
  return status != kRegOk ? status
                          : inner_.QueryValue(key, name, type, data, size);
}

RegStatus RegistryDecorator::SetValue(RegHandle key, const std::string& name,
                                      RegType type, const uint8_t* data,
                                      uint32_t size) {
  RegStatus status = Check(kCallSetValue, key, name);
  return status != kRegOk ? status
                          : inner_.SetValue(key, name, type, data, size);
}

RegStatus RegistryDecorator::DeleteValue(RegHandle key,
                                         const std::string& name) {
  RegStatus status = Check(kCallDeleteValue, key, name);
  return status != kRegOk ? status : inner_.DeleteValue(key, name);
}

RegStatus RegistryDecorator::DeleteTree(RegHandle parent,
                                        const std::string& path) {
  RegStatus status = Check(kCallDeleteTree, parent, path);
  if (status != kRegOk) return status;
  RegHandle key;
  status = inner_.OpenKey(parent, path, kAccessReadWrite, &key);
  if (status != kRegOk) return status;
  paths_[key] = PathOf(parent) + "\\" + path;
  // Always the first subkey: each one deleted moves the next to index 0.
  char name[256];
  for (;;) {
    uint32_t length = sizeof name;
    status = inner_.EnumKey(key, 0, name, &length);
    if (status != kRegOk) break;
    status = DeleteTree(key, std::string(name, length));
    if (status != kRegOk) break;
  }
  paths_.erase(key);
  inner_.CloseKey(key);
  if (status != kRegNoMoreItems) return status;
  return inner_.DeleteTree(parent, path);
}

RegStatus RegistryDecorator::EnumKey(RegHandle key, uint32_t index, char* name,
                                     uint32_t* nameLen) {
  RegStatus status = Check(kCallEnumKey, key, "");
  return status != kRegOk ? status : inner_.EnumKey(key, index, name, nameLen);
}

RegStatus RegistryDecorator::EnumValue(RegHandle key, uint32_t index,
                                       char* name, uint32_t* nameLen,
                                       RegType* type, uint8_t* data,
                                       uint32_t* dataLen) {
  RegStatus status = Check(kCallEnumValue, key, "");
  return status != kRegOk ? status
                          : inner_.EnumValue(key, index, name, nameLen, type,
                                             data, dataLen);
}

RegStatus RegistryDecorator::QueryInfoKey(RegHandle key, RegKeyInfo* info) {
  RegStatus status = Check(kCallQueryInfoKey, key, "");
  return status != kRegOk ? status : inner_.QueryInfoKey(key, info);
}

}  // namespace velo
