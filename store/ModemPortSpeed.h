// The serial port limit of installed modems. A modem whose capability record
// ("Properties") holds 115,200 bits per second, bytes C2 01 at offsets 25 and
// 26, can be raised to 921,600 (10 0E); the other bytes stay as they are.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "store/StoreKey.h"
#include "store/StoreOutcome.h"

namespace velo {

// Sets modemFound to 1 when an installed modem can be raised; otherwise
// leaves it as it is.
StoreOutcome DetectBoostableModem(Registry& registry, WindowsFamily family,
                                  int32_t& modemFound);

// A modem's key, open for writing, and the record it holds (or held).
struct OpenModem {
  std::unique_ptr<StoreKey> modem;
  std::string name;  // the modem's subkey
  RegValue properties;
};

// Every modem that can be raised, opened for writing, so that Finish knows it
// can raise them all before it changes anything.
std::vector<OpenModem> OpenBoostableModems(Registry& registry,
                                             WindowsFamily family,
                                             StoreOutcome& outcome);

// Saves each modem's record in the backup (subkey Modem Settings, named as
// the modem's subkey), then raises it; a modem whose record could not be
// saved is left as it is.
void BoostModemPortSpeed(Registry& registry, const StoreKey& backup,
                         const std::vector<OpenModem>& modems,
                         StoreOutcome& outcome);

// The saved records that go back, with their modems open for writing: only
// where a modem still holds exactly what the boost made of its record. One
// removed, replaced or changed since then keeps what it holds now.
std::vector<OpenModem> OpenModemsToRestore(Registry& registry,
                                             WindowsFamily family,
                                             const StoreKey& backup,
                                             StoreOutcome& outcome);

}  // namespace velo
