// The real registry, through ADVAPI32 and SHLWAPI.
#pragma once

#include "registry/Registry.h"

namespace velo {

class Win32Registry : public Registry {
 public:
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
  RegStatus DeleteTree(RegHandle parent, const std::string& path) override;
  RegStatus EnumKey(RegHandle key, uint32_t index, char* name,
                    uint32_t* nameLen) override;
  RegStatus EnumValue(RegHandle key, uint32_t index, char* name,
                      uint32_t* nameLen, RegType* type, uint8_t* data,
                      uint32_t* dataLen) override;
  RegStatus QueryInfoKey(RegHandle key, RegKeyInfo* info) override;
};

// Deletes a key with its subkeys by walking them, for systems without the
// shell's own call.
RegStatus DeleteTreeByHand(RegHandle parent, const std::string& path);

}  // namespace velo
