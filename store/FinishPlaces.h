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

// "HKLM\\..." or "HKCU\\...", as the backup names the keys Finish writes.
std::string RootedPathOf(RegHandle root, const std::string& path);
// The key a rooted path names; false when it names neither root.
bool SplitRootedPath(const std::string& rooted, RegHandle* root,
                     std::string* path);

struct Place {
  RegHandle root;
  std::string path;
  RegType type;                 // the form Finish writes its numbers in
  bool createdByApply;          // made by Finish when missing
  bool recreatedByRestore;      // a tuned key: made again when gone
  std::vector<ValueSlot> slots;

  std::string RootedPath() const;
};

// Finish's keys, where the running Windows (`limits`) reads each value:
// the browser key, the family's TCP/IP key (with the ICMP redirect value
// this Windows reads, and only the values it reads), 98's and Me's window
// cap, then the MTU and MSS of each device that carries `connection` (a
// ConnectionKind): on 9x the bindings the backup recorded, on the NT family
// the interfaces or NT 4.0's bound adapters there are now, and the one MTU
// of RAS (NT 4.0 from Service Pack 4) or of PPP (2000, XP, 2003) for the
// connections that go through them (`record`'s connection type).
// The outcome says where an MTU is left as it was because this Windows does
// not read it, and where one may not apply (mtuNotRead, mtuCappedByDialUp).
std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                const WindowsLimits& limits,
                                const SettingsRecord& record,
                                ApplyOutcome& outcome);
// Reset's keys: every key Finish listed as written, each with the values
// whose originals the backup keeps; from a backup that lists none, every
// place the Windows of that backup was given.
std::vector<Place> ResetPlaces(Registry& registry, WindowsFamily family,
                               StoreOutcome& outcome);
// Whether `place` is a device's MTU and MSS rather than a tuned key.
bool IsDevicePlace(const Place& place);

// The names of the values of `place` whose originals a Written Keys mark
// says the backup keeps; false for a mark of the older form, which names
// none.
bool CoveredNames(const RegValue& mark, std::vector<std::string>* names);
// The mark that says the backup keeps the originals of `names`.
RegValue CoverageMark(const std::vector<std::string>& names);

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
