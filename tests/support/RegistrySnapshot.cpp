#include "support/RegistrySnapshot.h"

#include <sstream>

#include "support/RegistryEdit.h"

namespace velo {

namespace {

std::string Describe(const RegValue& value) {
  std::ostringstream out;
  out << "type " << value.type << ", " << value.data.size() << " bytes [";
  for (size_t i = 0; i < value.data.size() && i < 24; ++i)
    out << (i ? " " : "") << std::hex << int(value.data[i]) << std::dec;
  out << (value.data.size() > 24 ? " ...]" : "]");
  return out.str();
}

}  // namespace

RegistrySnapshot RegistrySnapshot::Take(Registry& registry,
                                        const std::vector<SubTree>& trees) {
  RegistrySnapshot snapshot;
  snapshot.trees_ = trees;
  for (const SubTree& tree : trees)
    snapshot.Collect(registry, tree.root, tree.path);
  return snapshot;
}

void RegistrySnapshot::Collect(Registry& registry, RegHandle root,
                               const std::string& path) {
  RegKey key(registry);
  if (key.Open(root, path, kAccessRead) != kRegOk) return;
  Key& entry = keys_[FoldedName(RootedKey(root, path))];
  entry.path = RootedKey(root, path);
  std::string name;
  for (uint32_t i = 0; key.ValueName(i, &name) == kRegOk; ++i) {
    RegValue value;
    if (key.Read(name, &value) == kRegOk)
      entry.values[FoldedName(name)] = NamedValue{name, value};
  }
  std::vector<std::string> subKeys;
  for (uint32_t i = 0; key.SubKeyName(i, &name) == kRegOk; ++i)
    subKeys.push_back(name);
  for (const std::string& sub : subKeys)
    Collect(registry, root, path + "\\" + sub);
}

std::vector<std::string> RegistrySnapshot::Differences(
    const RegistrySnapshot& actual) const {
  std::vector<std::string> lines;
  for (const auto& expected : keys_) {
    auto found = actual.keys_.find(expected.first);
    if (found == actual.keys_.end()) {
      lines.push_back("missing key " + expected.second.path);
      continue;
    }
    const Key& now = found->second;
    for (const auto& value : expected.second.values) {
      std::string where = expected.second.path + " : " + value.second.name;
      auto got = now.values.find(value.first);
      if (got == now.values.end())
        lines.push_back("missing value " + where);
      else if (got->second.value != value.second.value)
        lines.push_back("changed value " + where + ": " +
                        Describe(value.second.value) + " became " +
                        Describe(got->second.value));
    }
    for (const auto& value : now.values)
      if (!expected.second.values.count(value.first))
        lines.push_back("extra value " + now.path + " : " + value.second.name);
  }
  for (const auto& key : actual.keys_)
    if (!keys_.count(key.first)) lines.push_back("extra key " + key.second.path);
  return lines;
}

void RegistrySnapshot::PutBack(Registry& registry) const {
  RegistrySnapshot now = Take(registry, trees_);
  for (const auto& extra : now.keys_) {
    if (keys_.count(extra.first)) continue;
    std::string path;
    RegHandle root = SplitRootedKey(extra.second.path, &path);
    registry.DeleteTree(root, path);
  }
  for (const auto& wanted : keys_) {
    std::string path;
    RegHandle root = SplitRootedKey(wanted.second.path, &path);
    RegKey key(registry);
    if (key.Create(root, path, kAccessReadWrite) != kRegOk) continue;
    auto current = now.keys_.find(wanted.first);
    if (current != now.keys_.end())
      for (const auto& value : current->second.values)
        if (!wanted.second.values.count(value.first))
          key.Delete(value.second.name);
    for (const auto& value : wanted.second.values) {
      const RegValue* had = now.Find(wanted.second.path, value.second.name);
      if (!had || *had != value.second.value)
        key.Write(value.second.name, value.second.value);
    }
  }
}

const RegValue* RegistrySnapshot::Find(const std::string& key,
                                       const std::string& name) const {
  auto found = keys_.find(FoldedName(key));
  if (found == keys_.end()) return nullptr;
  auto value = found->second.values.find(FoldedName(name));
  return value == found->second.values.end() ? nullptr : &value->second.value;
}

void RegistrySnapshot::Set(const std::string& key, const std::string& name,
                           const RegValue& value) {
  AddKey(key);
  keys_[FoldedName(key)].values[FoldedName(name)] = NamedValue{name, value};
}

void RegistrySnapshot::AddKey(const std::string& key) {
  Key& entry = keys_[FoldedName(key)];
  if (!entry.path.empty()) return;
  entry.path = key;
  // A key has its parents, down to the top of its subtree.
  for (const SubTree& tree : trees_) {
    std::string top = RootedKey(tree.root, tree.path);
    size_t cut = key.rfind('\\');
    if (key.size() > top.size() && cut != std::string::npos &&
        FoldedName(key.substr(0, top.size() + 1)) == FoldedName(top + "\\"))
      AddKey(key.substr(0, cut));
  }
}

void RegistrySnapshot::Erase(const std::string& key, const std::string& name) {
  auto found = keys_.find(FoldedName(key));
  if (found != keys_.end()) found->second.values.erase(FoldedName(name));
}

void RegistrySnapshot::EraseKey(const std::string& key) {
  std::string folded = FoldedName(key);
  auto first = keys_.lower_bound(folded);
  auto last = first;
  while (last != keys_.end() &&
         (last->first == folded ||
          last->first.compare(0, folded.size() + 1, folded + "\\") == 0))
    ++last;
  keys_.erase(first, last);
}

bool RegistrySnapshot::HasKey(const std::string& key) const {
  return keys_.count(FoldedName(key)) != 0;
}

std::vector<std::string> RegistrySnapshot::ValueNames(
    const std::string& key) const {
  std::vector<std::string> names;
  auto found = keys_.find(FoldedName(key));
  if (found != keys_.end())
    for (const auto& value : found->second.values)
      names.push_back(value.second.name);
  return names;
}

void RegistrySnapshot::ForEachValue(
    const std::function<void(RegValue&)>& change) {
  for (auto& key : keys_)
    for (auto& value : key.second.values) change(value.second.value);
}

}  // namespace velo
