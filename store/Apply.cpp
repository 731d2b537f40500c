#include "store/Apply.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "store/BackupKey.h"
#include "store/FinishPlaces.h"
#include "store/ModemPortSpeed.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

RegValue NewValue(const TunedValue& tuned, RegType locationType,
                  const SettingsRecord& record) {
  if (tuned.numberFor)
    return StoredNumber(locationType, tuned.numberFor(record));
  return StoredNumber(locationType, tuned.newField ? record.*tuned.newField
                                                   : tuned.fixedNumber);
}

// Opens the key of `place` for writing. A key Finish makes is made when
// missing, first noted in the backup's `created` list by the topmost key
// made (`made` gives it); a missing browser key is left missing (null:
// nothing to write there); a missing device is a failure, for the backup
// says it is there.
std::unique_ptr<StoreKey> OpenTarget(Registry& registry, const Place& place,
                                     const StoreKey& created,
                                     StoreOutcome& outcome,
                                     std::string* made) {
  std::unique_ptr<StoreKey> target(new StoreKey(registry, outcome));
  RegStatus status = target->Open(place.root, place.path, kAccessReadWrite);
  made->clear();
  if (status == kRegNotFound && place.createdByApply &&
      FirstMissingKey(registry, place.root, place.path, outcome, made) &&
      !made->empty()) {
    const std::string rooted = RootedPathOf(place.root, *made);
    if (created.Write(rooted, RegValue::Dword(1)) == kRegOk &&
        target->Create(place.root, place.path) == kRegOk)
      status = kRegOk;
  }
  if (status == kRegNotFound && !place.recreatedByRestore)
    target->Fail(StoreFailure::kOpenKey, "", status);
  if (status != kRegOk) target.reset();
  return target;
}

// What `slot`'s value holds now, kRegNone when it is absent; false when it
// cannot be read.
bool ReadHeld(const StoreKey& target, const ValueSlot& slot, RegValue* held) {
  RegStatus status = target.Read(slot.tuned->name, held);
  if (status == kRegNotFound) *held = RegValue();
  return status == kRegOk || status == kRegNotFound;
}

// The backup entry of `slot` made to hold `held`, as the backup copies it: a
// value others changed since the backup, or a device that came since, is put
// back as it is now, not as it was then.
void SaveOriginal(Registry& registry, const StoreKey& backup,
                  const ValueSlot& slot, const RegValue& held,
                  StoreOutcome& outcome) {
  StoreKey subKey(registry, outcome);
  const StoreKey* entries = EntriesOf(backup, slot, kAccessReadWrite, &subKey);
  if (!entries) return;
  if (held.type != kRegNone)
    entries->Write(slot.entryName, held);
  else if (slot.absentAsMarker)
    entries->Write(slot.entryName, NoMtuMarker());
  else
    entries->Delete(slot.entryName);
}

// The values of `place` whose originals the backup keeps already, by the
// mark `written` holds for it (`mark`, kRegNone when there is none): an
// older mark covers the values the Windows of that backup was given. False
// when the mark cannot be read, for a key whose originals may be noted is
// never taken for one that is not listed.
bool ReadCoveredSlots(const StoreKey& written, const Place& place,
                      const std::vector<Place>& backedUp, RegValue* mark,
                      std::vector<std::string>* names) {
  const RegStatus status = written.Read(place.RootedPath(), mark);
  if (status == kRegNotFound) *mark = RegValue();
  if (status != kRegOk) return status == kRegNotFound;
  if (CoveredNames(*mark, names)) return true;
  for (const Place& given : backedUp)
    if (given.RootedPath() == place.RootedPath())
      for (const ValueSlot& slot : given.slots)
        names->push_back(slot.tuned->name);
  return true;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// What a Finish that fails half way puts back: each value exactly as it held
// it just before (a 9x MaxMTU of "0" included, which the backup cannot tell
// from an absent one), then, once all of it is back, it takes out of the
// backup only the marks it made itself, as it changed nothing after all.
struct FinishUndo {
  std::vector<std::vector<RegValue>> held;  // per place, per slot
  size_t placesWritten = 0;
  bool modemsBoosted = false;
  std::vector<std::string> made;  // per place: the topmost key Finish made
  // Per place whose mark this Finish changed: the mark it had before
  // (kRegNone: none).
  std::vector<std::pair<std::string, RegValue>> marks;
};

// A key Finish made goes again once Finish has changed nothing after all,
// and with it its note among the keys made.
void RemoveMadeKeys(Registry& registry, const std::vector<Place>& places,
                    const FinishUndo& undo, StoreOutcome& outcome) {
  StoreKey created(registry, outcome);
  const bool noted = created.Open(kHkeyCurrentUser,
                                  JoinKeyPath(kBackupKey, kCreatedBackupSubKey),
                                  kAccessReadWrite) == kRegOk;
  for (size_t i = 0; i < places.size(); ++i) {
    if (undo.made[i].empty()) continue;
    if (DeleteKeyTree(registry, places[i].root, undo.made[i], outcome) ==
            kRegOk &&
        noted)
      created.Delete(RootedPathOf(places[i].root, undo.made[i]));
  }
}

void Undo(Registry& registry, const std::vector<Place>& places,
          const std::vector<std::unique_ptr<StoreKey>>& targets,
          const std::vector<OpenModem>& modems, const FinishUndo& undo,
          ApplyOutcome& outcome) {
  for (size_t i = 0; i < undo.placesWritten; ++i) {
    if (!targets[i]) continue;
    for (size_t j = 0; j < places[i].slots.size(); ++j) {
      const RegValue& held = undo.held[i][j];
      const std::string& name = places[i].slots[j].tuned->name;
      RegStatus status = held.type == kRegNone ? targets[i]->Delete(name)
                                               : targets[i]->Write(name, held);
      if (status != kRegOk)
        outcome.notPutBack.push_back(places[i].RootedPath() + " : " + name);
    }
  }
  if (undo.modemsBoosted)
    for (const OpenModem& record : modems)
      if (record.modem->Write(kModemPropertiesValue, record.properties) !=
          kRegOk)
        outcome.notPutBack.push_back("modem " + record.name + " : " +
                                     kModemPropertiesValue);
  // The backup keeps what Reset needs to put those back.
  if (!outcome.notPutBack.empty()) return;
  RemoveMadeKeys(registry, places, undo, outcome);
  // Everything went back: a later Reset must not put back these keys over
  // what others change from now on.
  StoreKey backup(registry, outcome);
  if (backup.Open(kHkeyCurrentUser, kBackupKey, kAccessReadWrite) != kRegOk)
    return;
  StoreKey written(registry, outcome);
  if (written.Open(backup, kWrittenBackupSubKey, kAccessReadWrite) == kRegOk)
    for (const auto& mark : undo.marks) {
      if (mark.second.type == kRegNone)
        written.Delete(mark.first);
      else
        written.Write(mark.first, mark.second);
    }
  StoreKey saved(registry, outcome);
  if (undo.modemsBoosted && !modems.empty() &&
      saved.Open(backup, kModemBackupSubKey, kAccessReadWrite) == kRegOk)
    for (const OpenModem& record : modems) saved.Delete(record.name);
}

}  // namespace

ApplyOutcome ApplySettings(Registry& registry, WindowsFamily family,
                           const SettingsRecord& record, int32_t modemFound,
                           const WindowsLimits& limits) {
  ApplyOutcome outcome;
  std::vector<Place> places;
  std::vector<std::unique_ptr<StoreKey>> targets;
  std::vector<OpenModem> modems;
  FinishUndo undo;
  // A backup whose replacement cannot be settled is not to be written into:
  // the next look would copy the new one over what Finish notes here.
  outcome.backupNotRead = true;
  if (SettleBackup(registry, outcome) != kRegOk) return outcome;
  {
    StoreKey backup(registry, outcome);
    RegStatus status =
        backup.Open(kHkeyCurrentUser, kBackupKey, kAccessReadWrite);
    if (status == kRegNotFound) backup.Fail(StoreFailure::kOpenKey, "", status);
    if (status != kRegOk) return outcome;
    outcome.backupNotRead = false;

    // First make sure every write can be made.
    places = FinishPlaces(registry, family, limits, record, outcome);
    outcome.mtuLeftAlone =
        std::none_of(places.begin(), places.end(), IsDevicePlace);
    // What the backup covers already, read from the backup: a read that
    // fails there stops Finish as a mark that cannot be read does.
    const bool placesRead = outcome.Succeeded();
    const std::vector<Place> backedUp = ResetPlaces(registry, family, outcome);
    if (placesRead && !outcome.Succeeded()) outcome.backupNotRead = true;
    StoreKey created(registry, outcome);
    created.Create(backup, kCreatedBackupSubKey);
    undo.made.resize(places.size());
    for (size_t i = 0; i < places.size() && created.IsOpen(); ++i)
      targets.push_back(
          OpenTarget(registry, places[i], created, outcome, &undo.made[i]));
    if (modemFound == 1)
      modems = OpenBoostableModems(registry, family, outcome);
    StoreKey written(registry, outcome);
    written.Create(backup, kWrittenBackupSubKey);
    if (!outcome.Succeeded()) {
      RemoveMadeKeys(registry, places, undo, outcome);
      return outcome;
    }

    // Then note in the backup what Finish is about to change: a key is
    // listed only once the originals of its values are. A key listed
    // already keeps its originals: what it holds now is what an earlier
    // Finish of this backup (another copy of Velocine) wrote.
    undo.held.resize(places.size());
    for (size_t i = 0; i < places.size() && outcome.Succeeded(); ++i) {
      if (!targets[i]) continue;
      RegValue mark;
      std::vector<std::string> covered;
      if (!ReadCoveredSlots(written, places[i], backedUp, &mark, &covered)) {
        outcome.backupNotRead = true;
        break;
      }
      bool added = mark.type != kRegMultiSz;
      for (const ValueSlot& slot : places[i].slots) {
        RegValue held;
        if (!ReadHeld(*targets[i], slot, &held)) break;
        undo.held[i].push_back(held);
        if (Contains(covered, slot.tuned->name)) continue;
        SaveOriginal(registry, backup, slot, held, outcome);
        covered.push_back(slot.tuned->name);
        added = true;
      }
      if (outcome.Succeeded() && added &&
          written.Write(places[i].RootedPath(), CoverageMark(covered)) ==
              kRegOk)
        undo.marks.emplace_back(places[i].RootedPath(), mark);
    }
    undo.modemsBoosted = outcome.Succeeded();
    if (undo.modemsBoosted)
      BoostModemPortSpeed(registry, backup, modems, outcome);
  }
  for (size_t i = 0; i < places.size() && outcome.Succeeded(); ++i) {
    if (!targets[i]) continue;
    undo.placesWritten = i + 1;
    for (const ValueSlot& slot : places[i].slots)
      targets[i]->Write(slot.tuned->name,
                        NewValue(*slot.tuned, places[i].type, record));
  }
  if (!outcome.Succeeded())
    Undo(registry, places, targets, modems, undo, outcome);
  return outcome;
}

}  // namespace velo
