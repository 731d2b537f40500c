#include "registry/MemoryRegistry.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "registry/PathNames.h"

namespace velo {

struct MemoryRegistry::Node {
  struct Value {
    std::string name;
    RegType type;
    std::vector<uint8_t> data;
  };
  std::string name;
  bool deleted = false;
  std::vector<Value> values;                       // creation order
  std::unordered_map<std::string, size_t> valueIndex;  // by folded name
  std::vector<std::shared_ptr<Node>> subKeys;      // kept sorted by name

  Value* FindValue(const std::string& valueName) {
    auto at = valueIndex.find(FoldedName(valueName));
    return at == valueIndex.end() ? nullptr : &values[at->second];
  }
  void AddValue(Value value) {
    valueIndex[FoldedName(value.name)] = values.size();
    values.push_back(std::move(value));
  }
  bool RemoveValue(const std::string& valueName) {
    auto at = valueIndex.find(FoldedName(valueName));
    if (at == valueIndex.end()) return false;
    values.erase(values.begin() + static_cast<long>(at->second));
    valueIndex.clear();
    for (size_t i = 0; i < values.size(); ++i)
      valueIndex[FoldedName(values[i].name)] = i;
    return true;
  }
  // Where a subkey of that name is or would go; subkeys stay sorted, as
  // the registry enumerates them.
  std::vector<std::shared_ptr<Node>>::iterator SubKeyPlace(
      const std::string& keyName) {
    return std::lower_bound(subKeys.begin(), subKeys.end(), keyName,
                            [](const std::shared_ptr<Node>& sub,
                               const std::string& name) {
                              return NameLess(sub->name, name);
                            });
  }
  std::shared_ptr<Node> FindSubKey(const std::string& keyName) {
    auto at = SubKeyPlace(keyName);
    return at != subKeys.end() && NamesEqual((*at)->name, keyName) ? *at
                                                                   : nullptr;
  }
  std::shared_ptr<Node> AddSubKey(const std::string& keyName) {
    auto sub = std::make_shared<Node>();
    sub->name = keyName;
    subKeys.insert(SubKeyPlace(keyName), sub);
    return sub;
  }
  void MarkDeleted() {
    deleted = true;
    for (auto& sub : subKeys) sub->MarkDeleted();
  }
};

MemoryRegistry::MemoryRegistry()
    : currentUser_(std::make_shared<Node>()),
      localMachine_(std::make_shared<Node>()) {}

MemoryRegistry::~MemoryRegistry() {}

RegStatus MemoryRegistry::Resolve(RegHandle key, std::shared_ptr<Node>* node,
                                  RegAccess* access) const {
  if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) {
    *node = key == kHkeyCurrentUser ? currentUser_ : localMachine_;
    *access = kAccessReadWrite;
    return kRegOk;
  }
  auto found = handles_.find(key);
  if (found == handles_.end()) return kRegInvalidHandle;
  if (found->second.node->deleted) return kRegKeyDeleted;
  *node = found->second.node;
  *access = found->second.access;
  return kRegOk;
}

RegHandle MemoryRegistry::AddHandle(const std::shared_ptr<Node>& node,
                                    RegAccess access) {
  RegHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = OpenKeyEntry{node, access};
  return handle;
}

RegStatus MemoryRegistry::OpenKey(RegHandle parent, const std::string& path,
                                  RegAccess access, RegHandle* key) {
  std::shared_ptr<Node> node;
  RegAccess parentAccess;
  RegStatus status = Resolve(parent, &node, &parentAccess);
  if (status != kRegOk) return status;
  for (const std::string& part : SplitKeyPath(path)) {
    node = node->FindSubKey(part);
    if (!node) return kRegNotFound;
  }
  *key = AddHandle(node, access);
  return kRegOk;
}

RegStatus MemoryRegistry::CreateKey(RegHandle parent, const std::string& path,
                                    RegAccess access, RegHandle* key) {
  std::shared_ptr<Node> node;
  RegAccess parentAccess;
  RegStatus status = Resolve(parent, &node, &parentAccess);
  if (status != kRegOk) return status;
  std::vector<std::string> parts = SplitKeyPath(path);
  bool creates = false;
  {
    std::shared_ptr<Node> walk = node;
    for (const std::string& part : parts) {
      walk = walk->FindSubKey(part);
      if (!walk) {
        creates = true;
        break;
      }
    }
  }
  if (creates && parentAccess != kAccessReadWrite) return kRegAccessDenied;
  for (const std::string& part : parts) {
    std::shared_ptr<Node> sub = node->FindSubKey(part);
    node = sub ? sub : node->AddSubKey(part);
  }
  *key = AddHandle(node, access);
  return kRegOk;
}

RegStatus MemoryRegistry::CloseKey(RegHandle key) {
  if (key == kHkeyCurrentUser || key == kHkeyLocalMachine) return kRegOk;
  return handles_.erase(key) ? kRegOk : kRegInvalidHandle;
}

RegStatus MemoryRegistry::QueryValue(RegHandle key, const std::string& name,
                                     RegType* type, uint8_t* data,
                                     uint32_t* size) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  Node::Value* value = node->FindValue(name);
  if (!value) return kRegNotFound;
  uint32_t stored = static_cast<uint32_t>(value->data.size());
  if (type) *type = value->type;
  if (!size) return data ? kRegInvalidParam : kRegOk;
  if (data) {
    if (*size < stored) {
      *size = stored;
      return kRegMoreData;
    }
    if (stored) std::memcpy(data, value->data.data(), stored);
    bool unterminated = stored == 0 || value->data[stored - 1] != 0;
    if (IsStringType(value->type) && unterminated && *size > stored)
      data[stored] = 0;
  }
  *size = stored;
  return kRegOk;
}

RegStatus MemoryRegistry::SetValue(RegHandle key, const std::string& name,
                                   RegType type, const uint8_t* data,
                                   uint32_t size) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  if (access != kAccessReadWrite) return kRegAccessDenied;
  if (size && !data) return kRegInvalidParam;
  std::vector<uint8_t> bytes(data, data + size);
  if (Node::Value* value = node->FindValue(name)) {
    value->type = type;
    value->data.swap(bytes);
  } else {
    node->AddValue(Node::Value{name, type, std::move(bytes)});
  }
  return kRegOk;
}

RegStatus MemoryRegistry::DeleteValue(RegHandle key, const std::string& name) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  if (access != kAccessReadWrite) return kRegAccessDenied;
  return node->RemoveValue(name) ? kRegOk : kRegNotFound;
}

RegStatus MemoryRegistry::DeleteTree(RegHandle parent,
                                     const std::string& path) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(parent, &node, &access);
  if (status != kRegOk) return status;
  std::vector<std::string> parts = SplitKeyPath(path);
  if (parts.empty()) return kRegInvalidParam;
  std::shared_ptr<Node> owner = node;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    owner = owner->FindSubKey(parts[i]);
    if (!owner) return kRegNotFound;
  }
  auto at = owner->SubKeyPlace(parts.back());
  if (at == owner->subKeys.end() || !NamesEqual((*at)->name, parts.back()))
    return kRegNotFound;
  if (access != kAccessReadWrite) return kRegAccessDenied;
  (*at)->MarkDeleted();
  owner->subKeys.erase(at);
  return kRegOk;
}

namespace {

// Copies a name into a caller's buffer with Win32's length rules.
RegStatus CopyName(const std::string& source, char* name, uint32_t* nameLen) {
  if (!name || !nameLen) return kRegInvalidParam;
  if (source.size() >= *nameLen) return kRegMoreData;
  std::memcpy(name, source.c_str(), source.size() + 1);
  *nameLen = static_cast<uint32_t>(source.size());
  return kRegOk;
}

}  // namespace

RegStatus MemoryRegistry::EnumKey(RegHandle key, uint32_t index, char* name,
                                  uint32_t* nameLen) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  if (index >= node->subKeys.size()) return kRegNoMoreItems;
  return CopyName(node->subKeys[index]->name, name, nameLen);
}

RegStatus MemoryRegistry::EnumValue(RegHandle key, uint32_t index, char* name,
                                    uint32_t* nameLen, RegType* type,
                                    uint8_t* data, uint32_t* dataLen) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  if (index >= node->values.size()) return kRegNoMoreItems;
  const Node::Value& value = node->values[index];
  uint32_t stored = static_cast<uint32_t>(value.data.size());
  if (data && dataLen && *dataLen < stored) {
    *dataLen = stored;
    return kRegMoreData;
  }
  status = CopyName(value.name, name, nameLen);
  if (status != kRegOk) return status;
  if (type) *type = value.type;
  if (data && stored) std::memcpy(data, value.data.data(), stored);
  if (dataLen) *dataLen = stored;
  return kRegOk;
}

RegStatus MemoryRegistry::QueryInfoKey(RegHandle key, RegKeyInfo* info) {
  std::shared_ptr<Node> node;
  RegAccess access;
  RegStatus status = Resolve(key, &node, &access);
  if (status != kRegOk) return status;
  *info = RegKeyInfo();
  info->subKeys = static_cast<uint32_t>(node->subKeys.size());
  info->values = static_cast<uint32_t>(node->values.size());
  for (const auto& sub : node->subKeys)
    info->maxSubKeyLen =
        std::max(info->maxSubKeyLen, static_cast<uint32_t>(sub->name.size()));
  for (const auto& value : node->values) {
    info->maxValueNameLen = std::max(
        info->maxValueNameLen, static_cast<uint32_t>(value.name.size()));
    info->maxValueLen =
        std::max(info->maxValueLen, static_cast<uint32_t>(value.data.size()));
  }
  return kRegOk;
}

}  // namespace velo
