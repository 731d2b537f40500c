#include "store/BackupExport.h"

#include <functional>
#include <utility>

#include "registry/PathNames.h"
#include "store/BackupKey.h"
#include "store/FinishPlaces.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

namespace velo {

namespace {

const char kMachineRoot[] = "HKEY_LOCAL_MACHINE\\";
const char kUserRoot[] = "HKEY_CURRENT_USER\\";

// What goes into the file, gathered key by key.
struct Gathered {
  std::vector<RegeditKey> keys;
  std::vector<std::string> leftOut;

  void Add(const std::string& path, const std::string& name,
           const RegValue& value) {
    for (RegeditKey& key : keys)
      if (key.path == path) {
        key.values.emplace_back(name, value);
        return;
      }
    keys.push_back(RegeditKey{path, {{name, value}}});
  }
};

// The ICMP redirect value under the name the backup covers.
void AddTunedKey(const StoreKey& backup, const TunedKey& tuned,
                 Gathered& gathered) {
  const std::string path =
      (tuned.root == kHkeyLocalMachine ? kMachineRoot : kUserRoot) +
      std::string(tuned.path);
  const std::string icmpRedirectName = BackedUpIcmpRedirectName(backup);
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    const char* name = AsRead(tuned.values[i], icmpRedirectName).name;
    RegValue saved;
    if (backup.Read(name, &saved) == kRegOk) gathered.Add(path, name, saved);
  }
}

// Where an entry goes back: a key under HKLM and the value's name.
struct EntryTarget {
  std::string key;
  std::string value;
};

// The entries of one backup subkey, each named after a device or modem
// whose key (HKLM) and value `targetOf` gives.
void AddDeviceEntries(Registry& registry, const StoreKey& backup,
                      const char* subKey,
                      const std::function<EntryTarget(const std::string&)>&
                          targetOf,
                      bool mtuMarkers, Gathered& gathered,
                      StoreOutcome& outcome) {
  StoreKey entries(registry, outcome);
  if (entries.Open(backup, subKey, kAccessRead) != kRegOk) return;
  std::vector<std::string> names;
  entries.ValueNames(&names);
  for (const std::string& name : names) {
    RegValue saved;
    if (entries.Read(name, &saved) != kRegOk) continue;
    // A binding that had no MaxMTU: only Reset can delete the value again.
    if (mtuMarkers && IsNoMtuMarker(saved)) continue;
    if (name.empty() || name.find('\\') != std::string::npos) {
      gathered.leftOut.push_back("entry \"" + name + "\" of " + subKey +
                                 ": it names no single key under " +
                                 targetOf("*").key);
      continue;
    }
    const EntryTarget target = targetOf(name);
    gathered.Add(kMachineRoot + target.key, target.value, saved);
  }
}

}  // namespace

BackupExport ExportBackup(Registry& registry, WindowsFamily family,
                          StoreOutcome& outcome) {
  BackupExport out;
  // Settles a replacement cut short, so the backup read is a whole one.
  out.presence = LookForBackup(registry);
  if (out.presence != kBackupPresent) return out;
  StoreKey backup(registry, outcome);
  RegStatus status = backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead);
  if (status != kRegOk) {
    out.presence = status == kRegNotFound ? kBackupAbsent : kBackupUnknown;
    return out;
  }
  const FamilyLocations& at = LocationsOf(family);
  Gathered gathered;
  AddTunedKey(backup, BrowserKey(), gathered);
  AddTunedKey(backup, at.tcpip, gathered);
  const DeviceLayout layout = BackedUpDeviceLayout(backup, family);
  // NT 4.0's RAS keeps the one dial-up MTU in its own parameters.
  auto mtuTarget = [layout, &at](const std::string& name) {
    if (layout == kBoundAdaptersNT4 && NamesEqual(name, kNdisWanService))
      return EntryTarget{kNdisWanParametersKey, NdisWanMtu().name};
    return EntryTarget{DeviceKeyPath(layout, name), at.deviceMtu.name};
  };
  auto mssTarget = [layout, &at](const std::string& name) {
    return EntryTarget{DeviceKeyPath(layout, name), at.deviceMss.name};
  };
  auto modemTarget = [&at](const std::string& name) {
    return EntryTarget{JoinKeyPath(at.modemClass, name), kModemPropertiesValue};
  };
  AddDeviceEntries(registry, backup, kMtuBackupSubKey, mtuTarget,
                   family == kFamily9x, gathered, outcome);
  AddDeviceEntries(registry, backup, kMssBackupSubKey, mssTarget, false,
                   gathered, outcome);
  AddDeviceEntries(registry, backup, kModemBackupSubKey, modemTarget, false,
                   gathered, outcome);
  // PPP's entry and 98's or Me's window cap, each entry named by its value.
  for (const auto& valuesOf : {std::make_pair(kPppBackupSubKey, kPppProtocolKey),
                               std::make_pair(kMstcpParametersBackupSubKey,
                                              kMstcpParametersKey)}) {
    const std::string key = valuesOf.second;
    AddDeviceEntries(registry, backup, valuesOf.first,
                     [&key](const std::string& name) {
                       return EntryTarget{key, name};
                     },
                     false, gathered, outcome);
  }
  out.file = WriteRegedit4(gathered.keys);
  out.file.leftOut.insert(out.file.leftOut.begin(), gathered.leftOut.begin(),
                          gathered.leftOut.end());
  return out;
}

}  // namespace velo
