// A registry key as the store operations use it: every call that fails goes
// into the operation's outcome, named by the key's path, so that no status
// is lost. An absent key or value (kRegNotFound) is an answer, not a failure:
// the caller decides what it means and reports it with Fail() when needed.
#pragma once

#include <string>
#include <vector>

#include "registry/RegKey.h"
#include "store/StoreOutcome.h"

namespace velo {

class StoreKey {
 public:
  StoreKey(Registry& registry, StoreOutcome& outcome)
      : key_(registry), outcome_(outcome) {}

  RegStatus Open(RegHandle root, const std::string& path, RegAccess access);
  RegStatus Open(const StoreKey& parent, const std::string& subKey,
                 RegAccess access);
  // Opens the key for writing, creating it and its missing parents.
  RegStatus Create(RegHandle root, const std::string& path);
  RegStatus Create(const StoreKey& parent, const std::string& subKey);

  void Close() { key_.Close(); }
  bool IsOpen() const { return key_.IsOpen(); }

  // The whole value, in one call when it is no larger than a 9x text.
  RegStatus Read(const std::string& name, RegValue* value) const;
  RegStatus Write(const std::string& name, const RegValue& value) const;
  // A value that is absent counts as deleted.
  RegStatus Delete(const std::string& name) const;
  // Every name, whole; on failure the names listed so far.
  RegStatus SubKeyNames(std::vector<std::string>* names) const;
  RegStatus ValueNames(std::vector<std::string>* names) const;

  // Records a failure of this key; returns `status`.
  RegStatus Fail(StoreFailure::Action action, const std::string& value,
                 RegStatus status) const;

 private:
  RegStatus Opened(StoreFailure::Action action, RegStatus status);
  RegStatus ListNames(bool subKeys, std::vector<std::string>* names) const;

  RegKey key_;
  StoreOutcome& outcome_;
  std::string path_;
};

// The topmost key of `path` that is not there, "" when the whole path is;
// false when that cannot be told.
bool FirstMissingKey(Registry& registry, RegHandle root,
                     const std::string& path, StoreOutcome& outcome,
                     std::string* missing);

// Deletes the key when neither it nor any key below it holds a value; one
// that is absent counts as deleted.
RegStatus DeleteKeyIfEmpty(Registry& registry, RegHandle root,
                           const std::string& path, StoreOutcome& outcome);

// Deletes a key with its subkeys; a key that is absent counts as deleted.
RegStatus DeleteKeyTree(Registry& registry, RegHandle root,
                        const std::string& path, StoreOutcome& outcome);

}  // namespace velo
