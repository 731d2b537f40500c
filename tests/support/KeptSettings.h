// Everything a run of one Windows family may change in a registry (its
// TCP/IP keys, modems, browser values and the program's own key), put back
// as it was when the object goes.
#pragma once

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "support/RegistrySnapshot.h"

namespace velo {

class KeptSettings {
 public:
  KeptSettings(Registry& registry, WindowsFamily family);
  ~KeptSettings();
  KeptSettings(const KeptSettings&) = delete;
  KeptSettings& operator=(const KeptSettings&) = delete;

  // Puts everything back as it was at the start, now.
  void PutBack() const;
  // The family's settings as they are now (not the program's own key).
  RegistrySnapshot Settings() const;

 private:
  Registry& registry_;
  WindowsFamily family_;
  RegistrySnapshot original_;
};

}  // namespace velo
