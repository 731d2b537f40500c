// Where Finish and Reset find the 9x dial-up adapter's TCP/IP binding: the
// backup records it as the first entry of its MTU Settings subkey.
#pragma once

#include <string>

#include "store/StoreKey.h"

namespace velo {

// Opens `mtuEntries` on the backup's MTU Settings and returns the recorded
// binding's name; empty when the backup recorded none.
std::string OpenRecordedBinding9x(StoreKey& mtuEntries);

}  // namespace velo
