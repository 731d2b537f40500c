// The keys and values of some registry subtrees, to compare a registry with
// what it held before, byte for byte and type for type. Names compare
// without case, as the registry compares them; value order does not count.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "registry/RegKey.h"

namespace velo {

// A subtree: a key with everything below it.
struct SubTree {
  RegHandle root;
  std::string path;
};

class RegistrySnapshot {
 public:
  static RegistrySnapshot Take(Registry& registry,
                               const std::vector<SubTree>& trees);

  // One line per difference from this snapshot to `actual`.
  std::vector<std::string> Differences(const RegistrySnapshot& actual) const;
  // Makes the registry hold exactly this snapshot under its subtrees again.
  void PutBack(Registry& registry) const;

  // Keys are named with their root: "HKLM\System\...".
  const RegValue* Find(const std::string& key, const std::string& name) const;
  void Set(const std::string& key, const std::string& name,
           const RegValue& value);
  void Erase(const std::string& key, const std::string& name);
  // The key with every key below it.
  void EraseKey(const std::string& key);
  // The key, empty when it is new, with its parents.
  void AddKey(const std::string& key);
  bool HasKey(const std::string& key) const;
  std::vector<std::string> ValueNames(const std::string& key) const;
  // Changes every value in place, as a registry with other storage rules
  // would hold it.
  void ForEachValue(const std::function<void(RegValue&)>& change);

 private:
  struct NamedValue {
    std::string name;
    RegValue value;
  };
  struct Key {
    std::string path;
    std::map<std::string, NamedValue> values;  // by name without case
  };

  void Collect(Registry& registry, RegHandle root, const std::string& path);

  std::vector<SubTree> trees_;
  std::map<std::string, Key> keys_;  // by path without case
};

}  // namespace velo
