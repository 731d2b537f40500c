#include "store/Backup.h"

#include <vector>

#include "store/BackupKey.h"
#include "store/NetworkDevices.h"
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

// MTU and MSS of every device of `layout`, each recorded under the device's
// name, so the pages show the last device's values: on 9x the dial-up
// binding's where there is one, as the dial-up connection always showed. A
// 9x binding without MaxMTU is recorded as the "0" marker; one whose MaxMTU
// cannot be read is left unrecorded, so that neither Finish nor a restore
// touch it. On 9x the subkeys exist only when some binding was found.
// Notes `mtu` as what the connections that go through a device of `kind`
// are sent with.
void NoteConnectionMtu(BackupRun& run, const WindowsLimits& limits,
                       DeviceKind kind, int32_t mtu) {
  for (int32_t connection = 0; connection < kConnectionKinds; ++connection) {
    if (!CarriesConnection(kind, connection) ||
        !DeviceMtuIsRead(kind, connection, limits))
      continue;
    run.record.OriginalMTUOfConnection[connection] = mtu;
    run.found.MTUOfConnection[connection] = kConnectionMtuSet;
  }
}

// The one MTU of RAS (NT 4.0) or PPP (2000, XP, 2003), with which dial-up
// and DSL connections go out: the value `name` of `path` when it is there
// and of its DWORD form; where this Windows reads none (`read` false) or
// `fixedWhenAbsent` and there is none, the 1500 Windows sends with.
void NoteDialUpMtu(BackupRun& run, bool read, bool fixedWhenAbsent,
                   const char* path, const char* name) {
  int32_t mtu = 1500;
  int32_t found = kConnectionMtuFixedByWindows;
  StoreKey key(run.registry, run.outcome);
  RegValue value;
  if (read && key.Open(kHkeyLocalMachine, path, kAccessRead) == kRegOk &&
      key.Read(name, &value) == kRegOk) {
    if (!ReadNumber(kRegDword, value, &mtu)) return;
    found = kConnectionMtuSet;
  } else if (read && !fixedWhenAbsent) {
    found = kConnectionMtuNotFound;
  }
  for (int32_t connection : {kDialUp, kDsl}) {
    run.record.OriginalMTUOfConnection[connection] = mtu;
    run.found.MTUOfConnection[connection] = found;
  }
}

void BackupDevices(BackupRun& run, DeviceLayout layout,
                   const WindowsLimits& limits) {
  const bool is9x = layout == kBindings9x;
  const FamilyLocations& at = LocationsOf(is9x ? kFamily9x : kFamilyNT);
  std::vector<NetworkDevice> devices =
      FindNetworkDevices(run.registry, run.outcome, layout);
  StoreKey mtuEntries(run.registry, run.outcome);
  StoreKey mssEntries(run.registry, run.outcome);
  if (!is9x || !devices.empty())
    CreateDeviceEntries(run, &mtuEntries, &mssEntries);
  bool rasBound = false;
  for (const NetworkDevice& device : devices) {
    StoreKey key(run.registry, run.outcome);
    if (key.Open(kHkeyLocalMachine, DeviceKeyPath(layout, device.name),
                 kAccessRead) != kRegOk)
      continue;
    if (BackupValue(run, key, at.deviceMtu, at.tcpip.type, mtuEntries,
                    device.name) == kRegNotFound &&
        is9x && mtuEntries.IsOpen())
      mtuEntries.Write(device.name, NoMtuMarker());
    BackupValue(run, key, at.deviceMss, at.tcpip.type, mssEntries,
                device.name);
    RegValue mtu;
    int32_t number = 0;
    if (key.Read(at.deviceMtu.name, &mtu) == kRegOk &&
        ReadNumber(at.tcpip.type, mtu, &number))
      NoteConnectionMtu(run, limits, device.kind, number);
    rasBound = rasBound ||
               (layout == kBoundAdaptersNT4 && device.kind == kDialUpDevice);
  }
  // KB 183229: RAS sends with a fixed 1500 before Service Pack 4; from it,
  // without IPMTU, with a default its hotfixes changed (KB 162230).
  // KB 826159: PPP on 2000, XP and 2003 with 1500 unless told otherwise.
  if (rasBound)
    NoteDialUpMtu(run, limits.readsNdisWanMtu, false, kNdisWanParametersKey,
                  NdisWanMtu().name);
  if (limits.readsPppProtocolMtu)
    NoteDialUpMtu(run, true, true, kPppProtocolKey, PppProtocolMtu().name);
}

}  // namespace

BackupOutcome BackupSettings(Registry& registry, WindowsFamily family,
                             SettingsRecord& record, FoundFlags& found,
                             const WindowsLimits& limits) {
  const std::string icmpRedirectName = IcmpRedirectName(limits);
  const DeviceLayout layout = DeviceLayoutOf(family, limits);
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
  BackupDevices(run, layout, limits);
  TunedKey tcpip = LocationsOf(family).tcpip;
  if (family == kFamily9x && !limits.mstcpTakesText) tcpip.type = kRegDword;
  BackupTunedKey(run, tcpip, icmpRedirectName);
  // Finish and Reset go by the name and the layout the backup covers.
  if (family == kFamilyNT && run.backup.IsOpen() &&
      icmpRedirectName != kIcmpRedirectsValue)
    run.backup.Write(kIcmpRedirectNameValue,
                     RegValue::Text(icmpRedirectName));
  if (layout == kBoundAdaptersNT4 && run.backup.IsOpen())
    run.backup.Write(kDeviceLayoutValue, RegValue::Text(kBoundAdaptersLayout));
  if (layout == kBoundAdaptersNT4 && limits.readsNdisWanMtu &&
      run.backup.IsOpen())
    run.backup.Write(kNdisWanMtuValue, RegValue::Text(kNdisWanService));
  run.backup.Close();
  if (outcome.Succeeded())
    PromoteNewBackup(registry, outcome);
  else if (made)
    DeleteKeyTree(registry, kHkeyCurrentUser, kNewBackupKey, outcome);
  return outcome;
}

}  // namespace velo
