// Where Reset finds the 9x adapters' TCP/IP bindings: the backup records
// each as an entry of its MTU Settings subkey, also when it had no MaxMTU.
#pragma once

#include <string>
#include <vector>

#include "store/StoreKey.h"

namespace velo {

// The bindings the backup recorded; none when it recorded none. A backup
// taken before network cards were recorded holds the dial-up one only.
std::vector<std::string> RecordedBindings9x(Registry& registry,
                                            StoreOutcome& outcome);

}  // namespace velo
