#include "store/StoreKey.h"

#include "store/RegistryLocations.h"

namespace velo {

namespace {

std::string RootedPath(RegHandle root, const std::string& path) {
  return (root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

}  // namespace

RegStatus StoreKey::Opened(StoreFailure::Action action, RegStatus status) {
  if (status != kRegOk && status != kRegNotFound) Fail(action, "", status);
  return status;
}

RegStatus StoreKey::Open(RegHandle root, const std::string& path,
                         RegAccess access) {
  path_ = RootedPath(root, path);
  return Opened(StoreFailure::kOpenKey, key_.Open(root, path, access));
}

RegStatus StoreKey::Open(const StoreKey& parent, const std::string& subKey,
                         RegAccess access) {
  path_ = parent.path_ + "\\" + subKey;
  return Opened(StoreFailure::kOpenKey,
                key_.Open(parent.key_.Handle(), subKey, access));
}

RegStatus StoreKey::Create(RegHandle root, const std::string& path) {
  path_ = RootedPath(root, path);
  RegStatus status = key_.Create(root, path, kAccessReadWrite);
  return status == kRegOk ? status : Fail(StoreFailure::kCreateKey, "", status);
}

RegStatus StoreKey::Create(const StoreKey& parent, const std::string& subKey) {
  path_ = parent.path_ + "\\" + subKey;
  RegStatus status =
      key_.Create(parent.key_.Handle(), subKey, kAccessReadWrite);
  return status == kRegOk ? status : Fail(StoreFailure::kCreateKey, "", status);
}

RegStatus StoreKey::Read(const std::string& name, RegValue* value) const {
  // One spare byte so that a text without its NUL is not reported short.
  uint8_t buffer[kTextNumberSize + 1];
  uint32_t size = sizeof buffer;
  RegType type = kRegNone;
  RegStatus status =
      key_.Api().QueryValue(key_.Handle(), name, &type, buffer, &size);
  if (status == kRegOk) {
    value->type = type;
    value->data.assign(buffer, buffer + size);
  } else if (status == kRegMoreData) {
    status = key_.Read(name, value);
  }
  if (status != kRegOk && status != kRegNotFound)
    Fail(StoreFailure::kReadValue, name, status);
  return status;
}

RegStatus StoreKey::Write(const std::string& name,
                          const RegValue& value) const {
  RegStatus status = key_.Write(name, value);
  return status == kRegOk ? status
                          : Fail(StoreFailure::kWriteValue, name, status);
}

RegStatus StoreKey::Delete(const std::string& name) const {
  RegStatus status = key_.Delete(name);
  if (status == kRegOk || status == kRegNotFound) return kRegOk;
  return Fail(StoreFailure::kDeleteValue, name, status);
}

RegStatus StoreKey::SubKeyNames(std::vector<std::string>* names) const {
  return ListNames(true, names);
}

RegStatus StoreKey::ValueNames(std::vector<std::string>* names) const {
  return ListNames(false, names);
}

RegStatus StoreKey::ListNames(bool subKeys,
                              std::vector<std::string>* names) const {
  Registry& api = key_.Api();
  RegKeyInfo info;
  RegStatus status = api.QueryInfoKey(key_.Handle(), &info);
  if (status != kRegOk) return Fail(StoreFailure::kListKey, "", status);
  std::vector<char> buffer(
      (subKeys ? info.maxSubKeyLen : info.maxValueNameLen) + 1);
  uint32_t index = 0;
  while (true) {
    uint32_t length = static_cast<uint32_t>(buffer.size());
    status = subKeys ? api.EnumKey(key_.Handle(), index, buffer.data(), &length)
                     : api.EnumValue(key_.Handle(), index, buffer.data(),
                                     &length, nullptr, nullptr, nullptr);
    if (status == kRegNoMoreItems) return kRegOk;
    if (status == kRegMoreData && buffer.size() < 65536) {
      // A longer name came in since the key was asked; try that index again.
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != kRegOk) return Fail(StoreFailure::kListKey, "", status);
    names->emplace_back(buffer.data(), length);
    ++index;
  }
}

RegStatus StoreKey::Fail(StoreFailure::Action action, const std::string& value,
                         RegStatus status) const {
  outcome_.Add(action, path_, value, status);
  return status;
}

RegStatus DeleteKeyTree(Registry& registry, RegHandle root,
                        const std::string& path, StoreOutcome& outcome) {
  RegStatus status = registry.DeleteTree(root, path);
  if (status == kRegOk || status == kRegNotFound) return kRegOk;
  outcome.Add(StoreFailure::kDeleteKey, RootedPath(root, path), "", status);
  return status;
}

bool FirstMissingKey(Registry& registry, RegHandle root,
                     const std::string& path, StoreOutcome& outcome,
                     std::string* missing) {
  for (size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
    const std::string prefix = path.substr(0, end);
    StoreKey key(registry, outcome);
    RegStatus status = key.Open(root, prefix, kAccessRead);
    if (status == kRegNotFound) {
      *missing = prefix;
      return true;
    }
    if (status != kRegOk) return false;
    if (end == std::string::npos) break;
  }
  missing->clear();
  return true;
}

namespace {
// Whether the key or a key below it holds a value; true when that cannot be
// told, so nothing is deleted on a guess.
bool HoldsValues(Registry& registry, RegHandle root, const std::string& path,
                 StoreOutcome& outcome) {
  StoreKey key(registry, outcome);
  if (key.Open(root, path, kAccessRead) != kRegOk) return true;
  std::vector<std::string> names;
  if (key.ValueNames(&names) != kRegOk || !names.empty()) return true;
  if (key.SubKeyNames(&names) != kRegOk) return true;
  for (const std::string& name : names)
    if (HoldsValues(registry, root, path + "\\" + name, outcome)) return true;
  return false;
}
}  // namespace

RegStatus DeleteKeyIfEmpty(Registry& registry, RegHandle root,
                           const std::string& path, StoreOutcome& outcome) {
  StoreKey key(registry, outcome);
  RegStatus status = key.Open(root, path, kAccessRead);
  if (status == kRegNotFound) return kRegOk;
  key.Close();
  if (status != kRegOk || HoldsValues(registry, root, path, outcome))
    return status;
  return DeleteKeyTree(registry, root, path, outcome);
}

}  // namespace velo
