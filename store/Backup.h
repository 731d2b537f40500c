// The backup taken each time the wizard opens.
#pragma once

#include "registry/Registry.h"
#include "store/RegistryLocations.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Replaces the backup key with a copy of every value the wizard may change,
// each whole and with its own type, and fills the record's Original fields
// and the Found flags so that the pages can show what each setting held.
// Values are read with read access only, so a user without administrator
// rights sees them too. The new backup replaces the old one only when it was
// taken whole; otherwise the previous backup stays as it was. `limits` say
// which ICMP redirect value the running NT release reads and where it keeps
// each device's MTU and MSS; the backup says which name and layout it covers.
BackupOutcome BackupSettings(Registry& registry, WindowsFamily family,
                             SettingsRecord& record, FoundFlags& found,
                             const WindowsLimits& limits = WindowsLimits());

}  // namespace velo
