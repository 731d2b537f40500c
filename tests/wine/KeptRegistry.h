// The real registry, with everything a whole-program wizard run of one
// Windows family may change put back as it was when the object goes. The
// program's backup is removed at the start, so the run begins with Reset
// disabled and no overwrite question.
#pragma once

#include "registry/Win32Registry.h"
#include "support/KeptSettings.h"

namespace velo {

class KeptRegistry {
 public:
  explicit KeptRegistry(WindowsFamily family);

  Registry& registry() { return registry_; }
  // The family's settings as they are now (not the program's own key).
  RegistrySnapshot Settings() const { return kept_.Settings(); }
  // Puts everything back as it was before the backup was removed, now.
  void PutBack() const { kept_.PutBack(); }

 private:
  Win32Registry registry_;
  KeptSettings kept_;
};

}  // namespace velo
