#include "store/Apply.h"

#include <memory>
#include <vector>

#include "store/FinishPlaces.h"
#include "store/ModemPortSpeed.h"
#include "store/RegistryLocations.h"
#include "store/Restore.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

RegValue NewValue(const TunedValue& tuned, RegType locationType,
                  const SettingsRecord& record) {
  return StoredNumber(locationType, tuned.newField ? record.*tuned.newField
                                                   : tuned.fixedNumber);
}

// Opens the key of `place` for writing. The TCP/IP key is made when missing;
// a missing browser key is left missing (null: nothing to write there); a
// missing device is a failure, for the backup says it is there.
std::unique_ptr<StoreKey> OpenTarget(Registry& registry, const Place& place,
                                     StoreOutcome& outcome) {
  std::unique_ptr<StoreKey> target(new StoreKey(registry, outcome));
  RegStatus status = place.createdByApply
                         ? target->Create(place.root, place.path)
                         : target->Open(place.root, place.path,
                                        kAccessReadWrite);
  if (status == kRegNotFound && !place.recreatedByRestore)
    target->Fail(StoreFailure::kOpenKey, "", status);
  if (status != kRegOk) target.reset();
  return target;
}

// The backup entry of `slot` made to hold what the value holds now, as the
// backup copies it: a value others changed since the backup, or a device
// that came since, is put back as it is now, not as it was then.
void SaveOriginal(Registry& registry, const StoreKey& backup,
                  const ValueSlot& slot, const StoreKey& target,
                  StoreOutcome& outcome) {
  StoreKey subKey(registry, outcome);
  const StoreKey* entries = EntriesOf(backup, slot, kAccessReadWrite, &subKey);
  if (!entries) return;
  RegValue now;
  RegStatus status = target.Read(slot.tuned->name, &now);
  if (status == kRegOk)
    entries->Write(slot.entryName, now);
  else if (status == kRegNotFound && slot.absentAsMarker)
    entries->Write(slot.entryName, NoMtuMarker());
  else if (status == kRegNotFound)
    entries->Delete(slot.entryName);
}

}  // namespace

ApplyOutcome ApplySettings(Registry& registry, WindowsFamily family,
                           const SettingsRecord& record, int32_t modemFound) {
  ApplyOutcome outcome;
  std::vector<Place> places;
  std::vector<std::unique_ptr<StoreKey>> targets;
  std::vector<OpenModem> modems;
  {
    StoreKey backup(registry, outcome);
    RegStatus status =
        backup.Open(kHkeyCurrentUser, kBackupKey, kAccessReadWrite);
    if (status == kRegNotFound) backup.Fail(StoreFailure::kOpenKey, "", status);
    if (status != kRegOk) return outcome;

    // First make sure every write can be made.
    places = FinishPlaces(registry, family, outcome);
    for (const Place& place : places)
      targets.push_back(OpenTarget(registry, place, outcome));
    if (modemFound == 1)
      modems = OpenBoostableModems(registry, family, outcome);
    StoreKey written(registry, outcome);
    written.Create(backup, kWrittenBackupSubKey);
    if (!outcome.Succeeded()) return outcome;

    // Then note in the backup what Finish is about to change: a key is
    // noted only once the originals of its values are.
    for (size_t i = 0; i < places.size() && outcome.Succeeded(); ++i) {
      if (!targets[i]) continue;
      for (const ValueSlot& slot : places[i].slots)
        SaveOriginal(registry, backup, slot, *targets[i], outcome);
      if (outcome.Succeeded())
        written.Write(places[i].RootedPath(), RegValue::Dword(1));
    }
    if (outcome.Succeeded())
      BoostModemPortSpeed(registry, backup, modems, outcome);
  }
  for (size_t i = 0; i < places.size() && outcome.Succeeded(); ++i) {
    if (!targets[i]) continue;
    for (const ValueSlot& slot : places[i].slots)
      targets[i]->Write(slot.tuned->name,
                        NewValue(*slot.tuned, places[i].type, record));
  }
  if (!outcome.Succeeded()) outcome.Append(UndoFinish(registry, family));
  return outcome;
}

}  // namespace velo
