#include "store/Backup.h"

#include <vector>

#include "store/BackupKey.h"
#include "store/EachInterface.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

// What one backup works on. The backup key stays closed when it could not be
// made; the record is filled all the same.
struct BackupRun {
  BackupRun(Registry& registry, SettingsRecord& record, FoundFlags& found,
            BackupOutcome& outcome)
      : registry(registry),
        record(record),
        found(found),
        outcome(outcome),
        backup(registry, outcome) {}

  Registry& registry;
  SettingsRecord& record;
  FoundFlags& found;
  BackupOutcome& outcome;
  StoreKey backup;
};

// Copies one value into `entries` under `entryName` and shows it on the
// pages when it has a record field. Returns the status of the read.
RegStatus BackupValue(BackupRun& run, const StoreKey& source,
                      const TunedValue& tuned, RegType locationType,
                      const StoreKey& entries, const std::string& entryName) {
  RegValue stored;
  RegStatus status = source.Read(tuned.name, &stored);
  if (status != kRegOk) return status;
  if (entries.IsOpen()) entries.Write(entryName, stored);
  int32_t number = 0;
  if (tuned.originalField && ReadNumber(locationType, stored, &number)) {
    run.record.*tuned.originalField = number;
    run.found.*tuned.foundFlag = 1;
  }
  return status;
}

void BackupTunedKey(BackupRun& run, const TunedKey& tuned,
                    const std::string& icmpRedirectName) {
  StoreKey source(run.registry, run.outcome);
  if (source.Open(tuned.root, tuned.path, kAccessRead) != kRegOk) return;
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    const TunedValue& read = AsRead(tuned.values[i], icmpRedirectName);
    BackupValue(run, source, read, tuned.type, run.backup, read.name);
  }
}

// The subkeys that record the per-device MTU and MSS, when there is a backup.
void CreateDeviceEntries(BackupRun& run, StoreKey* mtuEntries,
                         StoreKey* mssEntries) {
  if (!run.backup.IsOpen()) return;
  mtuEntries->Create(run.backup, kMtuBackupSubKey);
  mssEntries->Create(run.backup, kMssBackupSubKey);
}

std::string LastCharacters(const std::string& text) {
  return text.size() < kInstanceNameLength
             ? text
             : text.substr(text.size() - kInstanceNameLength);
}

// The first hop: the subkey of the network adapters whose description is
// exactly the dial-up adapter's; empty when there is none.
std::string FindDialUpAdapter9x(BackupRun& run) {
  StoreKey adapters(run.registry, run.outcome);
  if (adapters.Open(kHkeyLocalMachine, kNetAdaptersKey, kAccessRead) != kRegOk)
    return "";
  std::vector<std::string> names;
  adapters.SubKeyNames(&names);
  for (const std::string& name : names) {
    StoreKey adapter(run.registry, run.outcome);
    RegValue description;
    if (adapter.Open(adapters, name, kAccessRead) == kRegOk &&
        adapter.Read(kAdapterDescriptionValue, &description) == kRegOk &&
        description.AsText() == kDialUpAdapter)
      return name;
  }
  return "";
}

// The other three hops: adapter, its MSTCP instance, the NetTrans binding.
std::string FindDialUpBinding9x(BackupRun& run) {
  std::string adapter = FindDialUpAdapter9x(run);
  if (adapter.empty()) return "";

  StoreKey bindings(run.registry, run.outcome);
  std::string bindingsPath = JoinKeyPath(
      JoinKeyPath(kNetAdaptersKey, adapter), kAdapterBindingsSubKey);
  if (bindings.Open(kHkeyLocalMachine, bindingsPath, kAccessRead) != kRegOk)
    return "";
  std::vector<std::string> names;
  bindings.ValueNames(&names);
  std::string mstcp;
  for (const std::string& name : names) {
    if (name.find(kMstcpMarker) != std::string::npos) {
      mstcp = LastCharacters(name);
      break;
    }
  }
  if (mstcp.empty()) return "";

  StoreKey instance(run.registry, run.outcome);
  RegValue driver;
  if (instance.Open(kHkeyLocalMachine, JoinKeyPath(kMstcpInstancesKey, mstcp),
                    kAccessRead) != kRegOk ||
      instance.Read(kMstcpDriverValue, &driver) != kRegOk)
    return "";
  std::string text = driver.AsText();
  if (text.find(kNetTransMarker) == std::string::npos) return "";
  return LastCharacters(text);
}

// MaxMTU and MaxMSS of the dial-up adapter's TCP/IP binding, recorded under
// the binding's name. A missing MaxMTU is recorded as the "0" marker; a
// MaxMTU that cannot be read leaves the binding unrecorded, so that neither
// Finish nor a restore touch it.
void BackupAdapterMtu9x(BackupRun& run) {
  const FamilyLocations& at = LocationsOf(kFamily9x);
  std::string name = FindDialUpBinding9x(run);
  if (name.empty()) return;
  StoreKey binding(run.registry, run.outcome);
  if (binding.Open(kHkeyLocalMachine, JoinKeyPath(at.deviceParent, name),
                   kAccessRead) != kRegOk)
    return;
  StoreKey mtuEntries(run.registry, run.outcome);
  StoreKey mssEntries(run.registry, run.outcome);
  CreateDeviceEntries(run, &mtuEntries, &mssEntries);
  if (BackupValue(run, binding, at.deviceMtu, at.tcpip.type, mtuEntries,
                  name) == kRegNotFound &&
      mtuEntries.IsOpen())
    mtuEntries.Write(name, NoMtuMarker());
  BackupValue(run, binding, at.deviceMss, at.tcpip.type, mssEntries, name);
}

// MTU and MSS of every interface, recorded under the interface's name.
void BackupInterfaceMtuNT(BackupRun& run) {
  const FamilyLocations& at = LocationsOf(kFamilyNT);
  StoreKey mtuEntries(run.registry, run.outcome);
  StoreKey mssEntries(run.registry, run.outcome);
  CreateDeviceEntries(run, &mtuEntries, &mssEntries);
  ForEachInterface(
      run.registry, run.outcome, kAccessRead,
      [&](const std::string& name, const StoreKey& device) {
        BackupValue(run, device, at.deviceMtu, at.tcpip.type, mtuEntries, name);
        BackupValue(run, device, at.deviceMss, at.tcpip.type, mssEntries, name);
      });
}

}  // namespace

BackupOutcome BackupSettings(Registry& registry, WindowsFamily family,
                             SettingsRecord& record, FoundFlags& found,
                             const char* icmpRedirectName) {
  BackupOutcome outcome;
  BackupRun run(registry, record, found, outcome);
  // The previous backup stays whole until the new one is: a leftover of an
  // earlier replacement is settled first, and the new backup is built apart.
  // This run deletes only what it made: a leftover it could not settle may
  // be a whole backup waiting to be copied into place.
  bool made = SettleBackup(registry, outcome) == kRegOk &&
              run.backup.Create(kHkeyCurrentUser, kNewBackupKey) == kRegOk;
  if (made) {
    StoreKey written(registry, outcome);
    written.Create(run.backup, kWrittenBackupSubKey);
  }
  BackupTunedKey(run, BrowserKey(), icmpRedirectName);
  if (family == kFamily9x)
    BackupAdapterMtu9x(run);
  else
    BackupInterfaceMtuNT(run);
  BackupTunedKey(run, LocationsOf(family).tcpip, icmpRedirectName);
  // Finish and Reset go by the name the backup covers.
  if (family == kFamilyNT && run.backup.IsOpen() &&
      std::string(icmpRedirectName) != kIcmpRedirectsValue)
    run.backup.Write(kIcmpRedirectNameValue,
                     RegValue::Text(icmpRedirectName));
  run.backup.Close();
  if (outcome.Succeeded())
    PromoteNewBackup(registry, outcome);
  else if (made)
    DeleteKeyTree(registry, kHkeyCurrentUser, kNewBackupKey, outcome);
  return outcome;
}

}  // namespace velo
