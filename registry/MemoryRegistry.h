// A registry held in memory that answers like the Windows one: names compare
// without case, subkeys enumerate alphabetically and values in the order they
// were made, short buffers give kRegMoreData, a deleted key's handles answer
// kRegKeyDeleted. Used by the tests and benchmarks of everything above it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velo {

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

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

  // Handles opened and not yet closed; a leak check for tests.
  size_t OpenHandleCount() const { return handles_.size(); }

 private:
  struct Node;
  struct OpenKeyEntry {
    std::shared_ptr<Node> node;
    RegAccess access;
  };

  RegStatus Resolve(RegHandle key, std::shared_ptr<Node>* node,
                    RegAccess* access) const;
  RegHandle AddHandle(const std::shared_ptr<Node>& node, RegAccess access);

  std::shared_ptr<Node> currentUser_;
  std::shared_ptr<Node> localMachine_;
  std::map<RegHandle, OpenKeyEntry> handles_;
  RegHandle nextHandle_ = 0x1000;
};

}  // namespace velo
