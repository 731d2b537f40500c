// Registry states the settings store may meet, generated from a seed, and
// what a registry must hold after backup, apply and restore. Shared by the
// native tests, the tests under Wine and the benchmark.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"
#include "support/RegistrySnapshot.h"

namespace velo {

// The keys, named with their root, that the tests look into.
extern const char kBrowserKeyName[];
extern const char kBackupKeyName[];
extern const char kProgramKeyName[];  // the program's own settings
extern const char kMstcpKeyName[];
extern const char kNetTransKeyName[];
extern const char kTcpipKeyName[];
extern const char kInterfacesKeyName[];
const char* ModemClassKeyName(WindowsFamily family);

struct StoreScenario {
  WindowsFamily family = kFamilyNT;
  SettingsRecord record;  // the New values that Finish writes
  int32_t modemFound = 0;  // 1 when some modem can be raised
  std::string dialUpBinding;  // 9x: the binding the backup must find, or ""
  // 9x: the bindings of the other adapters, which carry DSL, LAN and cable.
  std::vector<std::string> cardBindings;
  std::vector<std::string> interfaces;  // NT: the interfaces seeded
};

// Seeds the locations of `family` with the tuned values present, absent, of
// another type, oversized, unterminated or empty, beside values of other
// programs; NT interfaces with and without MTU and MSS; 9x network adapters
// with and without an exact dial-up adapter; modems at 115,200 and at other
// rates. The family's TCP/IP key always exists, as it does on Windows.
StoreScenario SeedStoreScenario(Registry& registry, WindowsFamily family,
                                uint32_t seed);

// A 9x network adapter numbered `index` with its MSTCP instance and TCP/IP
// binding (NetTrans numbered index + 10); returns the binding's key. Each
// id list is left out when empty.
std::string SeedAdapter9x(Registry& registry, int index,
                          const std::string& description,
                          const std::string& hardwareIds,
                          const std::string& compatibleIds = "");

// A modem's capability record: `bytes` with its top port rate, the
// little-endian number at bytes 24 to 27, set to `rate` bits per second as
// far as the record reaches.
RegValue ModemRecord(uint32_t rate, std::string bytes);
// The same over `length` bytes that all differ, so that a record moved or
// rewritten beyond its rate shows.
RegValue ModemRecord(uint32_t rate, size_t length = 40);

// An NT interface that appears after the backup, with MTU and MSS.
std::string AddInterface(Registry& registry, const std::string& name);

// Seeds `count` NT interfaces, each with MTU, MSS and a value of its own.
void SeedInterfaces(Registry& registry, int count);

// The keys of the settings the store may change for `family` (not its own
// backup key).
std::vector<SubTree> SettingsSubTrees(WindowsFamily family);
// Those settings as `registry` holds them now.
RegistrySnapshot SettingsSnapshot(Registry& registry, WindowsFamily family);
// The program's backup as `registry` holds it now.
RegistrySnapshot BackupSnapshot(Registry& registry);

// The differences the store makes on purpose in a backup, apply and restore.
struct IntendedDifferences {
  int paddedMtu = 0;     // 9x MaxMTU written back 260 bytes long
  int deletedMtu = 0;    // 9x MaxMTU the backup recorded as "0"
};

// `before` (taken after the backup, before Finish) with the intended
// differences made: what the registry must hold after the restore.
RegistrySnapshot ExpectedAfterRestore(const RegistrySnapshot& before,
                                      const StoreScenario& scenario,
                                      IntendedDifferences* made);

}  // namespace velo
