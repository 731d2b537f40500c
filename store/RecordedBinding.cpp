#include "store/RecordedBinding.h"

#include <vector>

#include "store/RegistryLocations.h"

namespace velo {

std::string OpenRecordedBinding9x(StoreKey& mtuEntries) {
  if (mtuEntries.Open(kHkeyCurrentUser,
                      JoinKeyPath(kBackupKey, kMtuBackupSubKey),
                      kAccessRead) != kRegOk)
    return std::string();
  std::vector<std::string> bindings;
  mtuEntries.ValueNames(&bindings);
  return bindings.empty() ? std::string() : bindings[0];
}

}  // namespace velo
