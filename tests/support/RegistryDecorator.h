// A registry that passes every call on to another one and knows the path of
// every key it opened ("HKLM\System\..."), so that a decorator can tell where
// each call goes: to count calls or to make chosen ones fail.
#pragma once

#include <map>
#include <string>

#include "registry/Registry.h"

namespace velo {

enum RegCall {
  kCallOpenKey,
  kCallCreateKey,
  kCallCloseKey,
  kCallQueryValue,
  kCallSetValue,
  kCallDeleteValue,
  kCallDeleteTree,
  kCallEnumKey,
  kCallEnumValue,
  kCallQueryInfoKey,
  kRegCallKinds,
};

const char* RegCallName(RegCall call);

// What one call is about to do.
struct RegCallInfo {
  RegCall call;
  std::string key;    // the key acted on; for open, create and delete: the target
  std::string value;  // the value's name for value calls
  RegAccess access;   // for open and create
};

class RegistryDecorator : public Registry {
 public:
  explicit RegistryDecorator(Registry& inner) : inner_(inner) {}

  RegStatus OpenKey(RegHandle parent, const std::string& path,
                    RegAccess access, RegHandle* key) override;
  RegStatus CreateKey(RegHandle parent, const std::string& path,
                      RegAccess access, RegHandle* key) override;
  RegStatus CloseKey(RegHandle key) override;
  RegStatus QueryValue(RegHandle key, const std::string& name, RegType* type,
                       uint8_t* data, uint32_t* size) override;
  RegStatus SetValue(RegHandle key, const std::string& name, RegType type,
                     const uint8_t* data, uint32_t size) override;
  RegStatus DeleteValue(RegHandle key, const std::string& name) override;
  // As Windows deletes a tree: each subkey's tree first, then the key with
  // its own values. Each key is a call of its own, so that a fault or a
  // power cut can fall half way through, as it can on Windows.
  RegStatus DeleteTree(RegHandle parent, const std::string& path) override;
  RegStatus EnumKey(RegHandle key, uint32_t index, char* name,
                    uint32_t* nameLen) override;
  RegStatus EnumValue(RegHandle key, uint32_t index, char* name,
                      uint32_t* nameLen, RegType* type, uint8_t* data,
                      uint32_t* dataLen) override;
  RegStatus QueryInfoKey(RegHandle key, RegKeyInfo* info) override;

 protected:
  // Sees every call before it is passed on; any status but kRegOk is the
  // call's answer instead.
  virtual RegStatus Before(const RegCallInfo& info) = 0;

 private:
  RegStatus Check(RegCall call, RegHandle key, const std::string& sub,
                  RegAccess access = kAccessRead);
  std::string PathOf(RegHandle key) const;

  Registry& inner_;
  std::map<RegHandle, std::string> paths_;
};

}  // namespace velo
