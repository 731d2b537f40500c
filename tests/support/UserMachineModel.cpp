#include "support/UserMachineModel.h"

#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupKey.h"
#include "store/ModemPortSpeed.h"
#include "store/RegistryLocations.h"
#include "store/Restore.h"
#include "store/StoredNumber.h"
#include "support/RegistryEdit.h"

namespace velo {

namespace {

std::string LastPart(const std::string& key) {
  return key.substr(key.rfind('\\') + 1);
}

bool IsSlowModem(const RegValue& properties) {
  return properties.data.size() > 26 && properties.data[25] == 0xC2 &&
         properties.data[26] == 0x01;
}

RegValue FastModem(RegValue properties) {
  properties.data[25] = 0x10;
  properties.data[26] = 0x0E;
  return properties;
}

std::string TcpipKeyName(WindowsFamily family) {
  return family == kFamily9x ? kMstcpKeyName : kTcpipKeyName;
}

}  // namespace

UserMachineModel::UserMachineModel(WindowsFamily family, uint32_t seed)
    : family_(family), registry_(memory_) {
  scenario_ = SeedStoreScenario(memory_, family, seed);
  record_ = scenario_.record;
  interfaces_ = scenario_.interfaces;
  RegKey modems(memory_);
  std::string path;
  RegHandle root = SplitRootedKey(ModemClassKeyName(family), &path);
  if (modems.Open(root, path, kAccessRead) == kRegOk) {
    std::string name;
    for (uint32_t i = 0; modems.SubKeyName(i, &name) == kRegOk; ++i)
      modems_.push_back(std::string(ModemClassKeyName(family)) + "\\" + name);
  }
  expected_ = origin_ = noted_ = Settings();
}

RegistrySnapshot UserMachineModel::Settings() {
  return SettingsSnapshot(memory_, family_);
}

void UserMachineModel::Step(uint32_t choice, uint32_t detail) {
  ++steps_;
  // Only the store's own steps can change the backup: the checks follow them.
  if (wizardOpen_) {
    switch (choice % 6) {
      case 0: case 1: Finish(detail); break;
      case 2: Cancel(); return;
      case 3: OthersChange(detail); return;
      case 4: ToggleAdministrator(); return;
      default: InjectFault(detail); return;
    }
  } else {
    switch (choice % 6) {
      case 0: Set(true); break;
      case 1: Set(detail % 2 == 0); break;
      case 2: Reset(); break;
      case 3: OthersChange(detail); return;
      case 4: ToggleAdministrator(); return;
      default: InjectFault(detail); return;
    }
  }
  CheckAfterStep();
}

void UserMachineModel::Set(bool overwrite) {
  trace_.push_back(overwrite ? "Set, Yes" : "Set, No");
  if (hasBackup_ && !overwrite) return;
  DetectBoostableModem(memory_, family_, modemFound_);
  SettingsRecord record = record_;
  FoundFlags found;
  backupTaken_ = BackupSettings(registry_, family_, record, found).Succeeded();
  HealFaults();
  wizardOpen_ = true;
  if (backupTaken_) {
    AdoptBackupTakenNow();
    return;
  }
  trace_.back() += " (backup failed)";
  // The previous backup stays, unless the new one was whole and only its
  // move into place was cut short: then the next look finishes the move.
  if (BackupExists(memory_)) {
    if (hasBackup_ && BackupMatchesOrigin()) return;
    AdoptBackupTakenNow();
    if (!BackupMatchesOrigin())
      Violation("a backup that failed left a backup key that is not whole");
  } else if (hasBackup_) {
    Violation("a backup that failed lost the previous backup");
  }
}

void UserMachineModel::AdoptBackupTakenNow() {
  hasBackup_ = true;
  expected_ = origin_ = noted_ = Settings();
  written_.clear();
}

void UserMachineModel::Cancel() {
  trace_.push_back("Cancel");
  wizardOpen_ = false;
}

void UserMachineModel::Finish(uint32_t detail) {
  trace_.push_back("Finish");
  wizardOpen_ = false;
  // The sheet refuses Finish when its backup failed.
  if (!backupTaken_) return;
  record_.NewTTL = 1 + static_cast<int32_t>(detail % 200);
  std::vector<Location> writes = FinishWrites();
  std::vector<RegValue> values;
  for (const Location& location : writes) values.push_back(NewValue(location));
  RegistrySnapshot before = Settings();
  bool succeeded =
      ApplySettings(registry_, family_, record_, modemFound_).Succeeded();
  HealFaults();
  if (!succeeded) {
    trace_.back() += " (failed)";
    noted_ = before;
    RegistrySnapshot now = Settings();
    std::vector<std::string> changes = before.Differences(now);
    if (!changes.empty() && !WithMtuAsRestored(before).Differences(now).empty())
      Violation("a Finish that failed changed the machine: " + changes[0]);
    return;
  }
  ++finished_;
  for (size_t i = 0; i < writes.size(); ++i) {
    RegValue now;
    if (!Get(memory_, writes[i].first, writes[i].second, &now) ||
        now != values[i])
      Violation("Finish said it boosted but " + writes[i].first + " : " +
                writes[i].second + " does not hold the new value");
    if (IsWritten(writes[i].first, writes[i].second)) continue;
    // From now on this value's original is what it held just before.
    const RegValue* was = before.Find(writes[i].first, writes[i].second);
    if (was)
      origin_.Set(writes[i].first, writes[i].second, *was);
    else
      origin_.Erase(writes[i].first, writes[i].second);
    written_.insert(
        Location(FoldedName(writes[i].first), FoldedName(writes[i].second)));
  }
}

std::vector<UserMachineModel::Location> UserMachineModel::FinishWrites()
    const {
  std::vector<Location> writes;
  MemoryRegistry& machine = const_cast<MemoryRegistry&>(memory_);
  if (KeyExists(machine, kBrowserKeyName))
    for (size_t i = 0; i < BrowserKey().valueCount; ++i)
      writes.push_back(Location(kBrowserKeyName, BrowserKey().values[i].name));
  const FamilyLocations& at = LocationsOf(family_);
  for (size_t i = 0; i < at.tcpip.valueCount; ++i)
    writes.push_back(Location(TcpipKeyName(family_), at.tcpip.values[i].name));
  std::vector<std::string> devices = interfaces_;
  if (family_ == kFamily9x && !scenario_.dialUpBinding.empty())
    devices = {scenario_.dialUpBinding};
  for (const std::string& device : devices) {
    writes.push_back(Location(device, at.deviceMtu.name));
    writes.push_back(Location(device, at.deviceMss.name));
  }
  if (modemFound_ == 1) {
    for (const std::string& modem : modems_) {
      RegValue properties;
      if (Get(machine, modem, kModemPropertiesValue, &properties) &&
          IsSlowModem(properties))
        writes.push_back(Location(modem, kModemPropertiesValue));
    }
  }
  return writes;
}

RegValue UserMachineModel::NewValue(const Location& location) const {
  if (location.second == kModemPropertiesValue) {
    RegValue properties;
    Get(const_cast<MemoryRegistry&>(memory_), location.first,
        location.second, &properties);
    return FastModem(properties);
  }
  const FamilyLocations& at = LocationsOf(family_);
  const TunedKey& tuned =
      location.first == kBrowserKeyName ? BrowserKey() : at.tcpip;
  std::vector<const TunedValue*> candidates = {&at.deviceMtu, &at.deviceMss};
  for (size_t i = 0; i < tuned.valueCount; ++i)
    candidates.push_back(&tuned.values[i]);
  for (const TunedValue* value : candidates) {
    if (location.second != value->name) continue;
    RegType type = &tuned == &BrowserKey() ? kRegDword : at.tcpip.type;
    return StoredNumber(type, value->newField ? record_.*value->newField
                                              : value->fixedNumber);
  }
  return RegValue();
}

bool UserMachineModel::IsWritten(const std::string& key,
                                 const std::string& name) const {
  return written_.count(Location(FoldedName(key), FoldedName(name))) != 0;
}

void UserMachineModel::Reset() {
  trace_.push_back("Reset");
  RestoreOutcome outcome = RestoreBackup(registry_, family_);
  HealFaults();
  if (outcome.result == kNoBackup) {
    if (hasBackup_) Violation("Reset found no backup where there was one");
    return;
  }
  if (outcome.result == kRestoreIncomplete) {
    trace_.back() += " (failed)";
    if (hasBackup_ && !KeyExists(memory_, kBackupKeyName))
      Violation("a Reset that failed removed the backup");
    return;
  }
  ++restored_;
  if (!hasBackup_) Violation("Reset said it put back a backup there was not");
  RegistrySnapshot want = expected_;
  if (!scenario_.dialUpBinding.empty() &&
      IsWritten(scenario_.dialUpBinding, "MaxMTU"))
    want = WithMtuAsRestored(want);
  RegistrySnapshot now = Settings();
  std::vector<std::string> differences = want.Differences(now);
  if (!differences.empty())
    Violation("after a Reset that said it succeeded: " + differences[0]);
  hasBackup_ = false;
  written_.clear();
  expected_ = origin_ = noted_ = now;
}

RegistrySnapshot UserMachineModel::WithMtuAsRestored(
    RegistrySnapshot settings) const {
  // The 9x MaxMTU comes back as the family writes it, padded; an absent one
  // is recorded as "0", so a real "0" goes too.
  const RegValue* mtu = scenario_.dialUpBinding.empty()
                            ? nullptr
                            : settings.Find(scenario_.dialUpBinding, "MaxMTU");
  if (mtu && IsNoMtuMarker(*mtu)) {
    settings.Erase(scenario_.dialUpBinding, "MaxMTU");
  } else if (mtu) {
    RegValue padded = *mtu;
    PadText(&padded);
    settings.Set(scenario_.dialUpBinding, "MaxMTU", padded);
  }
  return settings;
}

void UserMachineModel::InjectFault(uint32_t detail) {
  RegCall call = kFailableRegCalls[detail % kFailableRegCalls.size()];
  uint32_t skip = (detail / 16) % 48;
  trace_.push_back(std::string("fault: ") + RegCallName(call) + " number " +
                   std::to_string(skip + 1));
  registry_.Heal();
  if (!administrator_) registry_.DenyLocalMachineWrites();
  registry_.FailOnce(call, skip);
}

void UserMachineModel::HealFaults() {
  registry_.Heal();
  if (!administrator_) registry_.DenyLocalMachineWrites();
}

void UserMachineModel::ToggleAdministrator() {
  administrator_ = !administrator_;
  trace_.push_back(administrator_ ? "rights granted" : "rights taken away");
  HealFaults();
}

void UserMachineModel::OthersChange(uint32_t detail) {
  switch (detail % 5) {
    case 0: ChangeTunedValue(detail / 5); break;
    case 1:
      if (family_ == kFamilyNT) AddInterface(); else ChangeTunedValue(detail);
      break;
    case 2: RemoveInterface(detail / 5); break;
    case 3: ChangeModem(detail / 5); break;
    default: RemoveBrowserKey(); break;
  }
}

void UserMachineModel::ChangeTunedValue(uint32_t detail) {
  const TunedKey& tuned =
      detail % 3 == 0 ? BrowserKey() : LocationsOf(family_).tcpip;
  std::string key =
      &tuned == &BrowserKey() ? kBrowserKeyName : TcpipKeyName(family_);
  const char* name = tuned.values[(detail / 3) % tuned.valueCount].name;
  uint32_t number = (detail / 64) % 70000;
  RegValue value;  // kRegNone: removed
  if (detail % 7)
    value = tuned.type == kRegSz ? RegValue::Text(std::to_string(number))
                                 : RegValue::Dword(number);
  trace_.push_back("others set " + key + " : " + name);
  OthersPut(key, name, value);
}

void UserMachineModel::AddInterface() {
  std::string key = std::string(kInterfacesKeyName) + "\\{Model-" +
                    std::to_string(nextName_++) + "}";
  trace_.push_back("others add " + LastPart(key));
  OthersPut(key, "EnableDHCP", RegValue::Dword(1));
  OthersPut(key, "MTU", RegValue::Dword(1300 + nextName_));
  OthersPut(key, "MSS", RegValue::Dword(1260 + nextName_));
  interfaces_.push_back(key);
}

void UserMachineModel::RemoveInterface(uint32_t detail) {
  if (interfaces_.empty()) return;
  size_t index = detail % interfaces_.size();
  trace_.push_back("others remove " + LastPart(interfaces_[index]));
  OthersRemoveKey(interfaces_[index]);
  interfaces_.erase(interfaces_.begin() + index);
}

void UserMachineModel::ChangeModem(uint32_t detail) {
  RegValue properties = ModemRecord(detail % 2 ? 115200 : 57600);
  properties.data[0] = static_cast<uint8_t>(detail >> 8);
  if (modems_.empty() || detail % 3 == 0) {
    std::string key = std::string(ModemClassKeyName(family_)) + "\\Model" +
                      std::to_string(nextName_++);
    trace_.push_back("others add modem " + LastPart(key));
    OthersPut(key, kModemPropertiesValue, properties);
    modems_.push_back(key);
    return;
  }
  size_t index = (detail / 3) % modems_.size();
  if (detail % 3 == 1) {
    trace_.push_back("others remove modem " + LastPart(modems_[index]));
    OthersRemoveKey(modems_[index]);
    modems_.erase(modems_.begin() + index);
    return;
  }
  // Reinstalled or changed: Reset leaves it as others made it.
  trace_.push_back("others change modem " + LastPart(modems_[index]));
  written_.erase(Location(FoldedName(modems_[index]),
                          FoldedName(kModemPropertiesValue)));
  OthersPut(modems_[index], kModemPropertiesValue, properties);
}

void UserMachineModel::RemoveBrowserKey() {
  trace_.push_back("others remove the browser key");
  RemoveKey(memory_, kBrowserKeyName);
  // Reset makes it again for the values Velocine wrote there, as they were.
  for (const std::string& name : expected_.ValueNames(kBrowserKeyName))
    if (!IsWritten(kBrowserKeyName, name))
      expected_.Erase(kBrowserKeyName, name);
  if (expected_.ValueNames(kBrowserKeyName).empty())
    expected_.EraseKey(kBrowserKeyName);
}

void UserMachineModel::OthersPut(const std::string& key,
                                 const std::string& name,
                                 const RegValue& value) {
  // Removing a value from a key that is not there changes nothing.
  if (value.type == kRegNone && !KeyExists(memory_, key)) return;
  Put(memory_, key, name, value);
  if (IsWritten(key, name)) return;  // Reset puts back the original
  if (value.type == kRegNone)
    expected_.Erase(key, name);
  else
    expected_.Set(key, name, value);
}

void UserMachineModel::OthersRemoveKey(const std::string& key) {
  RemoveKey(memory_, key);
  expected_.EraseKey(key);
  std::string folded = FoldedName(key);
  for (auto it = written_.begin(); it != written_.end();)
    it = it->first == folded ? written_.erase(it) : std::next(it);
}

bool UserMachineModel::BackupMatchesOrigin() {
  RegistrySnapshot backup = BackupSnapshot(memory_);
  auto entryMatches = [&](const std::string& entries, const std::string& entry,
                          const RegValue* original, bool absentAsMarker) {
    const RegValue* saved = backup.Find(entries, entry);
    if (original) return saved && *saved == *original;
    if (absentAsMarker) return saved && *saved == RegValue::Text("0");
    return !saved;
  };
  auto matches = [&](const std::string& entries, const std::string& entry,
                     const std::string& key, const std::string& name,
                     bool absentAsMarker) {
    return entryMatches(entries, entry, origin_.Find(key, name),
                        absentAsMarker) ||
           entryMatches(entries, entry, noted_.Find(key, name),
                        absentAsMarker);
  };
  const FamilyLocations& at = LocationsOf(family_);
  for (const TunedKey* tuned : {&BrowserKey(), &at.tcpip}) {
    std::string key =
        tuned == &BrowserKey() ? kBrowserKeyName : TcpipKeyName(family_);
    for (size_t i = 0; i < tuned->valueCount; ++i) {
      const char* name = tuned->values[i].name;
      if (!matches(kBackupKeyName, name, key, name, false)) return false;
    }
  }
  std::string mtuEntries = std::string(kBackupKeyName) + "\\MTU Settings";
  std::string mssEntries = std::string(kBackupKeyName) + "\\MSS Settings";
  std::vector<std::string> devices = interfaces_;
  if (family_ == kFamily9x)
    devices.assign(1, scenario_.dialUpBinding);
  for (const std::string& device : devices) {
    if (device.empty()) continue;
    if (!origin_.HasKey(device)) continue;  // came since the backup
    std::string name = LastPart(device);
    if (!matches(mtuEntries, name, device, at.deviceMtu.name,
                 family_ == kFamily9x) ||
        !matches(mssEntries, name, device, at.deviceMss.name, false))
      return false;
  }
  return true;
}

void UserMachineModel::CheckAfterStep() {
  // As the main window looks at its next start.
  bool exists = BackupExists(memory_);
  if (exists != hasBackup_)
    Violation(exists ? "Reset is offered without a backup to put back"
                     : "the backup is gone while Velocine's changes stay");
  else if (exists && !BackupMatchesOrigin())
    Violation("the backup key is not whole");
  if (memory_.OpenHandleCount() != 0) Violation("a key was left open");
}

void UserMachineModel::Violation(const std::string& what) {
  if (violations_.size() >= 3) return;
  std::string steps;
  for (const std::string& step : trace_) steps += "\n  " + step;
  violations_.push_back(what + "\nafter:" + steps);
}

}  // namespace velo
