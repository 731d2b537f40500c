// Everything a whole-program wizard run of one Windows family may change
// (its TCP/IP keys, modems, browser values and the program's own key), put
// back as it was when the object goes. The program's backup is removed at
// the start, so the run begins with Reset disabled and no overwrite question.
#pragma once

#include "registry/Win32Registry.h"
#include "store/SettingsRecord.h"
#include "support/RegistrySnapshot.h"

namespace velo {

class KeptRegistry {
 public:
  explicit KeptRegistry(WindowsFamily family);
  ~KeptRegistry();
  KeptRegistry(const KeptRegistry&) = delete;
  KeptRegistry& operator=(const KeptRegistry&) = delete;

  Registry& registry() { return registry_; }
  // The family's settings as they are now (not the program's own key).
  RegistrySnapshot Settings();

 private:
  Win32Registry registry_;
  WindowsFamily family_;
  RegistrySnapshot original_;
};

}  // namespace velo
