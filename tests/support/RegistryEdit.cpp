#include "support/RegistryEdit.h"

namespace velo {

namespace {

RegHandle RootOf(const std::string& key, std::string* path) {
  *path = key.substr(5);
  return key.compare(0, 4, "HKLM") == 0 ? kHkeyLocalMachine : kHkeyCurrentUser;
}

}  // namespace

void Put(Registry& registry, const std::string& key, const std::string& name,
         const RegValue& value) {
  std::string path;
  RegHandle root = RootOf(key, &path);
  RegKey opened(registry);
  if (opened.Create(root, path, kAccessReadWrite) != kRegOk) return;
  if (value.type == kRegNone)
    opened.Delete(name);
  else
    opened.Write(name, value);
}

bool Get(Registry& registry, const std::string& key, const std::string& name,
         RegValue* value) {
  std::string path;
  RegHandle root = RootOf(key, &path);
  RegKey opened(registry);
  return opened.Open(root, path, kAccessRead) == kRegOk &&
         opened.Read(name, value) == kRegOk;
}

bool KeyExists(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = RootOf(key, &path);
  RegKey opened(registry);
  return opened.Open(root, path, kAccessRead) == kRegOk;
}

void MakeKey(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = RootOf(key, &path);
  RegKey opened(registry);
  opened.Create(root, path, kAccessReadWrite);
}

void RemoveKey(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = RootOf(key, &path);
  registry.DeleteTree(root, path);
}

RegValue Binary(const std::string& bytes) {
  RegValue value;
  value.type = kRegBinary;
  value.data.assign(bytes.begin(), bytes.end());
  return value;
}

RegValue RawText(const std::string& bytes) {
  RegValue value = Binary(bytes);
  value.type = kRegSz;
  return value;
}

}  // namespace velo
