// Reset: the backup put back.
#pragma once

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Writes back every value the backup holds, with its own type and data, and
// deletes each value the backup records as absent (it did not exist before).
// The backup key is removed only when all of it was put back; otherwise it
// stays, so that Reset can be tried again.
RestoreOutcome RestoreBackup(Registry& registry, WindowsFamily family);

}  // namespace velo
