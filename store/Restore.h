// Reset: the backup put back.
#pragma once

#include <string>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Writes back every value the backup holds for the keys Finish wrote, with
// its own type and data, and deletes each value the backup records as absent
// (it did not exist before). Every key is opened for writing before anything
// is changed: without the right to change one of them nothing is. The backup
// key is removed only when all of it was put back; otherwise it stays, so
// that Reset can be tried again. The machine-wide note that `holder` holds
// the backup goes after everything is put back and before the backup does:
// a note that cannot be removed keeps the backup too, so that no note is
// left naming an account that holds nothing.
RestoreOutcome RestoreBackup(Registry& registry, WindowsFamily family,
                             const std::string& holder = std::string());

}  // namespace velo
