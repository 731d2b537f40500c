// The keys Finish writes into, each with the values it writes there and the
// backup entry that keeps what each value held before: one list for Finish,
// which saves the originals before it writes, and for Reset, which puts them
// back.
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

namespace velo {

// One value and its backup entry.
struct ValueSlot {
  const TunedValue* tuned;
  const char* entrySubKey;  // a subkey of the backup key, or null for the key
  std::string entryName;
  bool absentAsMarker;  // 9x MaxMTU: an absent value is kept as the "0" text
};

struct Place {
  RegHandle root;
  std::string path;
  RegType type;                 // the form Finish writes its numbers in
  bool createdByApply;          // the family's TCP/IP key
  bool recreatedByRestore;      // a tuned key: made again when gone
  std::vector<ValueSlot> slots;

  std::string RootedPath() const;
};

// Finish's keys: the browser key, the family's TCP/IP key, then the MTU and
// MSS of each device that carries `connection` (a ConnectionKind): on 9x the
// bindings the backup recorded, on the NT family the interfaces or NT 4.0's
// bound adapters there are now, as the backup's layout says. The NT TCP/IP
// key has the ICMP redirect value the backup names.
// `mtuNotRead` is set when a device that carries the connection keeps an
// MTU this Windows does not read, which Finish leaves alone.
std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                int32_t connection, StoreOutcome& outcome,
                                bool* mtuNotRead);
// Reset's keys: the same with every device Finish may have written into.
std::vector<Place> ResetPlaces(Registry& registry, WindowsFamily family,
                               StoreOutcome& outcome);
// Whether `place` is a device's MTU and MSS rather than a tuned key.
bool IsDevicePlace(const Place& place);

// The ICMP redirect value's name the backup `backup` covers.
std::string BackedUpIcmpRedirectName(const StoreKey& backup);
// Where the devices of the backup `backup` keep their MTU and MSS.
DeviceLayout BackedUpDeviceLayout(const StoreKey& backup, WindowsFamily family);

// The key that holds `slot`'s entry: the backup key itself, or its subkey
// opened into `subKey`. Null, with a failure recorded, when that subkey is
// missing or does not open: its entries cannot be told from absent values.
const StoreKey* EntriesOf(const StoreKey& backup, const ValueSlot& slot,
                          RegAccess access, StoreKey* subKey);

}  // namespace velo
