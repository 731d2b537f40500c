#include "support/RegistryEdit.h"

#include <cctype>

namespace velo {

RegHandle SplitRootedKey(const std::string& key, std::string* path) {
  *path = key.substr(5);
  return key.compare(0, 4, "HKLM") == 0 ? kHkeyLocalMachine : kHkeyCurrentUser;
}

std::string RootedKey(RegHandle root, const std::string& path) {
  return (root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

std::string FoldedName(std::string name) {
  for (char& c : name)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

void Put(Registry& registry, const std::string& key, const std::string& name,
         const RegValue& value) {
  std::string path;
  RegHandle root = SplitRootedKey(key, &path);
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
  RegHandle root = SplitRootedKey(key, &path);
  RegKey opened(registry);
  return opened.Open(root, path, kAccessRead) == kRegOk &&
         opened.Read(name, value) == kRegOk;
}

bool KeyExists(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = SplitRootedKey(key, &path);
  RegKey opened(registry);
  return opened.Open(root, path, kAccessRead) == kRegOk;
}

void MakeKey(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = SplitRootedKey(key, &path);
  RegKey opened(registry);
  opened.Create(root, path, kAccessReadWrite);
}

void RemoveKey(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = SplitRootedKey(key, &path);
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
