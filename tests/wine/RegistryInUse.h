// Lets the application object work on another registry (one that fails or
// refuses) and gives it back its own when the scope ends, also when a check
// on the way ends the test early: a registry left behind would be used by
// the next test after it is gone.
#pragma once

#include "app/TunerApp.h"

namespace velo {

class RegistryInUse {
 public:
  explicit RegistryInUse(Registry& registry) : previous_(App().registry()) {
    App().UseRegistry(registry);
  }
  ~RegistryInUse() { App().UseRegistry(previous_); }
  RegistryInUse(const RegistryInUse&) = delete;
  RegistryInUse& operator=(const RegistryInUse&) = delete;

 private:
  Registry& previous_;
};

}  // namespace velo
