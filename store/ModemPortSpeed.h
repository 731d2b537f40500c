// The serial port limit of installed modems. A modem whose capability record
// ("Properties") holds 115,200 bits per second, bytes C2 01 at offsets 25 and
// 26, can be raised to 921,600 (10 0E); the other bytes stay as they are.
#pragma once

#include <cstdint>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

// Sets modemFound to 1 when an installed modem can be raised; otherwise
// leaves it as it is.
StoreOutcome DetectBoostableModem(Registry& registry, WindowsFamily family,
                                  int32_t& modemFound);

// Raises every modem that can be raised, each after its record has been saved
// in the backup (subkey Modem Settings, named as the modem's subkey) so that a
// restore puts it back. Without a backup key no modem is changed.
StoreOutcome BoostModemPortSpeed(Registry& registry, WindowsFamily family);

// Part of the restore: puts back the records the boost saved. A modem removed
// since then is skipped: its record went with it.
void RestoreModemPortSpeed(Registry& registry, WindowsFamily family,
                           StoreOutcome& outcome);

}  // namespace velo
