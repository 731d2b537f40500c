#include "store/Restore.h"

#include "store/EachInterface.h"
#include "store/ModemPortSpeed.h"
#include "store/RecordedBinding.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

// The restore rule for one value: an entry is written back as it was saved;
// no entry means the value did not exist, so it is deleted. An entry that
// cannot be read leaves the value alone.
void RestoreValue(const StoreKey& entries, const std::string& entryName,
                  const StoreKey& target, const std::string& name) {
  RegValue saved;
  RegStatus status = entries.Read(entryName, &saved);
  if (status == kRegOk)
    target.Write(name, saved);
  else if (status == kRegNotFound)
    target.Delete(name);
}

bool HoldsEntryFor(const StoreKey& backup, const TunedKey& tuned) {
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    RegValue saved;
    if (backup.Read(tuned.values[i].name, &saved) != kRegNotFound) return true;
  }
  return false;
}

// A missing key is fine only when the backup has nothing to put into it.
void RestoreTunedKey(Registry& registry, const TunedKey& tuned,
                     const StoreKey& backup, RestoreOutcome& outcome) {
  StoreKey target(registry, outcome);
  RegStatus status = target.Open(tuned.root, tuned.path, kAccessReadWrite);
  if (status == kRegNotFound && HoldsEntryFor(backup, tuned))
    target.Fail(StoreFailure::kOpenKey, "", status);
  if (status != kRegOk) return;
  for (size_t i = 0; i < tuned.valueCount; ++i)
    RestoreValue(backup, tuned.values[i].name, target, tuned.values[i].name);
}

// A per-device subkey of the backup. Every backup that recorded devices made
// both; when one is gone, its values cannot be told from absent ones and are
// left as they are.
bool OpenDeviceEntries(StoreKey* entries, const char* subKey) {
  RegStatus status = entries->Open(
      kHkeyCurrentUser, JoinKeyPath(kBackupKey, subKey), kAccessRead);
  if (status == kRegNotFound) entries->Fail(StoreFailure::kOpenKey, "", status);
  return status == kRegOk;
}

// The binding the backup recorded, if any. MaxMTU comes back as the 9x
// family writes it, padded to 260 bytes, or is deleted when the backup
// recorded it as absent. A binding removed since the backup is skipped.
void RestoreAdapterMtu9x(Registry& registry, RestoreOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(kFamily9x);
  StoreKey mtuEntries(registry, outcome);
  std::string name = OpenRecordedBinding9x(mtuEntries);
  if (name.empty()) return;
  StoreKey binding(registry, outcome);
  if (binding.Open(kHkeyLocalMachine, JoinKeyPath(at.deviceParent, name),
                   kAccessReadWrite) != kRegOk)
    return;
  RegValue savedMtu;
  if (mtuEntries.Read(name, &savedMtu) == kRegOk) {
    if (IsNoMtuMarker(savedMtu)) {
      binding.Delete(at.deviceMtu.name);
    } else {
      PadText(&savedMtu);
      binding.Write(at.deviceMtu.name, savedMtu);
    }
  }
  StoreKey mssEntries(registry, outcome);
  if (OpenDeviceEntries(&mssEntries, kMssBackupSubKey))
    RestoreValue(mssEntries, name, binding, at.deviceMss.name);
}

// Every interface that exists now: one added since the backup has no entry
// and so loses the MTU and MSS that Finish gave it.
void RestoreInterfaceMtuNT(Registry& registry, RestoreOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(kFamilyNT);
  StoreKey mtuEntries(registry, outcome);
  StoreKey mssEntries(registry, outcome);
  bool haveMtu = OpenDeviceEntries(&mtuEntries, kMtuBackupSubKey);
  bool haveMss = OpenDeviceEntries(&mssEntries, kMssBackupSubKey);
  ForEachInterface(
      registry, outcome, kAccessReadWrite,
      [&](const std::string& name, const StoreKey& device) {
        if (haveMtu) RestoreValue(mtuEntries, name, device, at.deviceMtu.name);
        if (haveMss) RestoreValue(mssEntries, name, device, at.deviceMss.name);
      });
}

}  // namespace

RestoreOutcome RestoreBackup(Registry& registry, WindowsFamily family) {
  RestoreOutcome outcome;
  {
    StoreKey backup(registry, outcome);
    RegStatus status = backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead);
    if (status == kRegNotFound) {
      backup.Fail(StoreFailure::kOpenKey, "", status);
      outcome.result = kNoBackup;
      return outcome;
    }
    if (status != kRegOk) {
      outcome.result = kRestoreIncomplete;
      return outcome;
    }
    RestoreTunedKey(registry, BrowserKey(), backup, outcome);
    if (family == kFamily9x)
      RestoreAdapterMtu9x(registry, outcome);
    else
      RestoreInterfaceMtuNT(registry, outcome);
    RestoreTunedKey(registry, LocationsOf(family).tcpip, backup, outcome);
    RestoreModemPortSpeed(registry, family, outcome);
  }
  if (outcome.Succeeded())
    DeleteKeyTree(registry, kHkeyCurrentUser, kBackupKey, outcome);
  outcome.result = outcome.Succeeded() ? kRestoredAll : kRestoreIncomplete;
  return outcome;
}

}  // namespace velo
