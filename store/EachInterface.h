// The NT family's network interfaces, one subkey each under the TCP/IP
// parameters' Interfaces key: backup, Finish and Reset visit them all.
#pragma once

#include <functional>
#include <string>

#include "store/StoreKey.h"

namespace velo {

// Calls `visit` with the name and the open key of every interface that
// opens with `access`; nothing when the Interfaces key is missing.
void ForEachInterface(
    Registry& registry, StoreOutcome& outcome, RegAccess access,
    const std::function<void(const std::string& name, const StoreKey& device)>&
        visit);

}  // namespace velo
