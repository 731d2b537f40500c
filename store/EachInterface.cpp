#include "store/EachInterface.h"

#include <vector>

#include "store/RegistryLocations.h"

namespace velo {

void ForEachInterface(
    Registry& registry, StoreOutcome& outcome, RegAccess access,
    const std::function<void(const std::string& name, const StoreKey& device)>&
        visit) {
  StoreKey interfaces(registry, outcome);
  if (interfaces.Open(kHkeyLocalMachine, LocationsOf(kFamilyNT).deviceParent,
                      kAccessRead) != kRegOk)
    return;
  std::vector<std::string> names;
  interfaces.SubKeyNames(&names);
  for (const std::string& name : names) {
    StoreKey device(registry, outcome);
    if (device.Open(interfaces, name, access) == kRegOk) visit(name, device);
  }
}

}  // namespace velo
