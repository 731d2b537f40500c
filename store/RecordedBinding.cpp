#include "store/RecordedBinding.h"

#include "store/RegistryLocations.h"

namespace velo {

std::vector<std::string> RecordedBindings9x(Registry& registry,
                                            StoreOutcome& outcome) {
  std::vector<std::string> bindings;
  StoreKey mtuEntries(registry, outcome);
  if (mtuEntries.Open(kHkeyCurrentUser,
                      JoinKeyPath(kBackupKey, kMtuBackupSubKey),
                      kAccessRead) == kRegOk)
    mtuEntries.ValueNames(&bindings);
  return bindings;
}

}  // namespace velo
