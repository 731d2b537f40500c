#include "store/Restore.h"

#include <memory>
#include <vector>

#include "store/BackupHolder.h"
#include "store/BackupKey.h"
#include "store/FinishPlaces.h"
#include "store/ModemPortSpeed.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

// What one restore works on.
struct RestoreRun {
  Registry& registry;
  const StoreKey& backup;
  StoreOutcome& outcome;
};

// The restore rule for one value: an entry is written back as it was saved;
// no entry means the value did not exist, so it is deleted. An entry that
// cannot be read leaves the value alone. The 9x MaxMTU comes back as the 9x
// family writes it, padded to 260 bytes, or is deleted when the backup
// recorded it as absent.
void RestoreSlot(RestoreRun& run, const ValueSlot& slot,
                 const StoreKey& target) {
  StoreKey subKey(run.registry, run.outcome);
  const StoreKey* entries =
      EntriesOf(run.backup, slot, kAccessRead, &subKey);
  if (!entries) return;
  RegValue saved;
  RegStatus status = entries->Read(slot.entryName, &saved);
  if (status == kRegNotFound ||
      (status == kRegOk && slot.absentAsMarker && IsNoMtuMarker(saved))) {
    target.Delete(slot.tuned->name);
  } else if (status == kRegOk) {
    if (slot.absentAsMarker) PadText(&saved);
    target.Write(slot.tuned->name, saved);
  }
}

bool HoldsEntryFor(RestoreRun& run, const Place& place) {
  for (const ValueSlot& slot : place.slots) {
    StoreKey subKey(run.registry, run.outcome);
    const StoreKey* entries = EntriesOf(run.backup, slot, kAccessRead, &subKey);
    RegValue saved;
    if (entries && entries->Read(slot.entryName, &saved) != kRegNotFound)
      return true;
  }
  return false;
}

// Whether Finish wrote into `place`. A backup without the list of written
// keys comes from before the list was kept: every place counts then.
bool WasWritten(const StoreKey* written, const Place& place) {
  RegValue mark;
  return !written || written->Read(place.RootedPath(), &mark) == kRegOk;
}

// Opens every key that gets a value back, for writing, and checks that the
// backup's entries for it are there. A tuned key that is gone is made again
// when the backup has a value to put into it; a device that is gone has
// nothing to get back. Null in the list: nothing to do there.
std::vector<std::unique_ptr<StoreKey>> OpenTargets(
    RestoreRun& run, const std::vector<Place>& places,
    const StoreKey* written) {
  std::vector<std::unique_ptr<StoreKey>> targets;
  for (const Place& place : places) {
    std::unique_ptr<StoreKey> target(new StoreKey(run.registry, run.outcome));
    RegStatus status = kRegNotFound;
    if (WasWritten(written, place)) {
      status = target->Open(place.root, place.path, kAccessReadWrite);
      if (status == kRegNotFound && place.recreatedByRestore &&
          HoldsEntryFor(run, place))
        status = target->Create(place.root, place.path);
    }
    if (status == kRegOk) {
      for (const ValueSlot& slot : place.slots) {
        StoreKey subKey(run.registry, run.outcome);
        EntriesOf(run.backup, slot, kAccessRead, &subKey);
      }
    } else {
      target.reset();
    }
    targets.push_back(std::move(target));
  }
  return targets;
}

// The keys Finish made go again once what it wrote there is gone; a key
// that holds values of others' by now stays.
void RemoveCreatedKeys(Registry& registry, const StoreKey& backup,
                       StoreOutcome& outcome) {
  StoreKey created(registry, outcome);
  std::vector<std::string> keys;
  if (created.Open(backup, kCreatedBackupSubKey, kAccessRead) == kRegOk)
    created.ValueNames(&keys);
  for (const std::string& key : keys) {
    RegHandle root = kRegNoHandle;
    std::string path;
    if (SplitRootedPath(key, &root, &path))
      DeleteKeyIfEmpty(registry, root, path, outcome);
  }
}

// Puts back what the backup holds, or changes nothing when some key it goes
// into cannot be written.
void PutBack(Registry& registry, WindowsFamily family, const StoreKey& backup,
             StoreOutcome& outcome) {
  RestoreRun run{registry, backup, outcome};
  StoreKey written(registry, outcome);
  RegStatus status = written.Open(backup, kWrittenBackupSubKey, kAccessRead);
  if (status != kRegOk && status != kRegNotFound) return;
  std::vector<Place> places = ResetPlaces(registry, family, outcome);
  std::vector<std::unique_ptr<StoreKey>> targets =
      OpenTargets(run, places, status == kRegOk ? &written : nullptr);
  std::vector<OpenModem> modems =
      OpenModemsToRestore(registry, family, backup, outcome);
  if (!outcome.Succeeded()) return;
  for (size_t i = 0; i < places.size(); ++i) {
    if (!targets[i]) continue;
    for (const ValueSlot& slot : places[i].slots)
      RestoreSlot(run, slot, *targets[i]);
  }
  for (const OpenModem& record : modems)
    record.modem->Write(kModemPropertiesValue, record.properties);
  RemoveCreatedKeys(registry, backup, outcome);
}

}  // namespace

RestoreOutcome RestoreBackup(Registry& registry, WindowsFamily family,
                             const std::string& holder) {
  RestoreOutcome outcome;
  outcome.result = kBackupNotRead;
  if (SettleBackup(registry, outcome) != kRegOk) return outcome;
  {
    StoreKey backup(registry, outcome);
    RegStatus status = backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead);
    if (status == kRegNotFound) {
      backup.Fail(StoreFailure::kOpenKey, "", status);
      outcome.result = kNoBackup;
      return outcome;
    }
    if (status != kRegOk) return outcome;
    outcome.result = kRestoreIncomplete;
    PutBack(registry, family, backup, outcome);
  }
  if (outcome.Succeeded() && !ForgetBackupHolder(registry, holder, outcome)) {
    outcome.holderNoteKept = true;
    return outcome;
  }
  if (outcome.Succeeded()) RemoveSpentBackup(registry, outcome);
  if (outcome.Succeeded()) outcome.result = kRestoredAll;
  return outcome;
}

}  // namespace velo
