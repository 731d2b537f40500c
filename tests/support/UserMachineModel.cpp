#include "support/UserMachineModel.h"

#include "store/Apply.h"
#include "store/Backup.h"
#include "store/ModemPortSpeed.h"
#include "store/Restore.h"
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

// The oracle's own account of what Finish writes and where the backup keeps
// it, written out plainly rather than taken from the store's tables, so that
// a misspelt name or a wrong form in the store shows.
typedef SettingsRecord R;
struct Written {
  const char* name;
  int32_t SettingsRecord::*field;  // null: the fixed number
  int32_t fixed;
};
// In place of a fixed number: window scaling, 1 for a receive window beyond
// 65,535 bytes, else 0.
const int32_t kScalingForTheWindow = -1;
const std::vector<Written> kBrowserWrites = {
    {"MaxConnectionsPer1_0Server", &R::NewMaxConnectionsPer1_0Server, 0},
    {"MaxConnectionsPerServer", &R::NewMaxConnectionsPerServer, 0}};
const std::vector<Written> kMstcpWrites = {
    {"SackOpts", nullptr, 1},
    {"Tcp1323Opts", nullptr, 0},
    {"DefaultTTL", &R::NewTTL, 0},
    {"DefaultRcvWindow", &R::NewRWIN, 0},
    {"PMTUBlackHoleDetect", &R::NewPMTUBlackHoleDetect, 0},
    {"PMTUDiscovery", &R::NewPMTUDiscovery, 0},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0}};
const std::vector<Written> kTcpipWrites = {
    {"SackOpts", nullptr, 1},
    {"Tcp1323Opts", nullptr, kScalingForTheWindow},
    {"TcpMaxDupAcks", nullptr, 2},
    {"DefaultTTL", &R::NewTTL, 0},
    {"TcpWindowSize", &R::NewRWIN, 0},
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0},
    {"EnablePMTUBHDetect", &R::NewPMTUBlackHoleDetect, 0},
    {"EnablePMTUDiscovery", &R::NewPMTUDiscovery, 0},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0},
    {"SYNAttackProtect", &R::NewSYNAttackProtect, 0},
    {"EnableICMPRedirects", &R::NewEnableICMPRedirects, 0}};
const std::vector<Written> kDevice9xWrites = {{"MaxMTU", &R::NewMTU, 0},
                                              {"MaxMSS", &R::NewMSS, 0}};
const std::vector<Written> kDeviceNTWrites = {{"MTU", &R::NewMTU, 0},
                                              {"MSS", &R::NewMSS, 0}};
const std::vector<Written>& TcpipWrites(WindowsFamily family) {
  return family == kFamily9x ? kMstcpWrites : kTcpipWrites;
}

const std::vector<Written>& DeviceWrites(WindowsFamily family) {
  return family == kFamily9x ? kDevice9xWrites : kDeviceNTWrites;
}

const char kNewBackupKeyName[] =
    "HKCU\\Software\\Velocine\\New Original Settings";
const size_t kTextSize = 260;

// The 9x family keeps its numbers as signed decimal text in a 260-byte
// buffer; the NT family and the browser as 32-bit little-endian numbers.
RegValue Encoded(bool asText, int32_t number) {
  if (!asText) return RegValue::Dword(static_cast<uint32_t>(number));
  std::string text = std::to_string(number);
  text.resize(kTextSize, '\0');
  return RawText(text);
}

RegistrySnapshot SnapshotOf(Registry& registry, const std::string& key) {
  std::string path;
  RegHandle root = SplitRootedKey(key, &path);
  return RegistrySnapshot::Take(registry, {SubTree{root, path}});
}

// A 9x MaxMTU the backup keeps as "0" stands for an absent one.
bool IsZeroText(const RegValue& value) {
  return value.type == kRegSz && value.data.size() >= 2 &&
         value.data[0] == '0' && value.data[1] == 0;
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

std::vector<std::string> UserMachineModel::Devices() const {
  if (family_ == kFamilyNT) return interfaces_;
  return std::vector<std::string>(1, scenario_.dialUpBinding);
}

void UserMachineModel::Step(uint32_t choice, uint32_t detail) {
  ++steps_;
  // Only the store's own steps can change the backup: the checks follow them.
  switch (choice % 7) {
    case 0: case 1:
      if (wizards_.empty()) Set(choice % 7 == 0 || detail % 2 == 0);
      else Finish(detail);
      break;
    case 2:
      if (wizards_.empty()) Reset();
      else return Cancel();
      break;
    case 3: return OthersChange(detail);
    case 4: return ToggleAdministrator();
    case 5: return InjectFault(detail);
    default:
      // A second copy of Velocine, which the program no longer lets start:
      // the store keeps its promises all the same.
      if (wizards_.size() == 1 && detail % 3 != 0) {
        trace_.push_back("second copy:");
        Set(detail % 2 == 0);
      } else {
        Reset();
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
  bool taken =
      BackupSettings(registry_, family_, record, found).Succeeded();
  bool cut = registry_.CutHappened();
  HealFaults();
  if (!cut) wizards_.push_back(taken);  // a cut ends the program
  if (taken) {
    AdoptBackupTakenNow();
    return;
  }
  trace_.back() += cut ? " (cut)" : " (backup failed)";
  // The previous backup stays, unless the new one was whole and only its
  // move into place was cut short: then the next look finishes the move. A
  // new one has no key written yet.
  std::string backup = BackupAsResetFindsIt();
  if (backup.empty()) {
    if (hasBackup_) Violation("a backup that failed lost the previous backup");
    return;
  }
  bool hadBackup = hasBackup_;
  RegistrySnapshot origin = origin_, noted = noted_, expected = expected_;
  std::set<Location> written = written_;
  const bool tcpipMade = tcpipMade_;
  AdoptBackupTakenNow();
  if (BackupMatchesOrigin(backup) &&
      SnapshotOf(memory_, backup)
          .ValueNames(backup + "\\Written Keys")
          .empty())
    return;
  hasBackup_ = hadBackup;
  origin_ = origin;
  noted_ = noted;
  expected_ = expected;
  written_ = written;
  tcpipMade_ = tcpipMade;
  if (!hasBackup_ || !BackupMatchesOrigin(backup))
    Violation("a backup that failed left a backup key that is not whole");
}

void UserMachineModel::AdoptBackupTakenNow() {
  hasBackup_ = true;
  tcpipMade_ = false;
  expected_ = origin_ = noted_ = Settings();
  written_.clear();
}

void UserMachineModel::Cancel() {
  trace_.push_back("Cancel");
  wizards_.pop_back();
}

void UserMachineModel::Finish(uint32_t detail) {
  trace_.push_back("Finish");
  size_t which = (detail / 256) % wizards_.size();
  bool taken = wizards_[which];
  wizards_.erase(wizards_.begin() + static_cast<long>(which));
  // The sheet refuses Finish when its backup failed.
  if (!taken) return;
  record_.NewTTL = 1 + static_cast<int32_t>(detail % 200);
  std::vector<Location> writes = FinishWrites();
  std::vector<RegValue> values;
  for (const Location& location : writes) values.push_back(NewValue(location));
  RegistrySnapshot before = Settings();
  const bool tcpipMissing = !KeyExists(memory_, TcpipKeyName(family_));
  bool succeeded =
      ApplySettings(registry_, family_, record_, modemFound_).Succeeded();
  bool cut = registry_.CutHappened();
  HealFaults();
  // A TCP/IP key Finish made goes again with Reset once nothing is in it.
  if (tcpipMissing && KeyExists(memory_, TcpipKeyName(family_)))
    tcpipMade_ = true;
  if (cut) {
    trace_.back() += " (cut)";
    NoteWritesOfCutFinish(writes, before);
    return;
  }
  if (!succeeded) {
    trace_.back() += " (failed)";
    noted_ = before;
    std::vector<std::string> changes = before.Differences(Settings());
    if (!changes.empty())
      Violation("a Finish that failed changed the machine: " + changes[0]);
    return;
  }
  ++finished_;
  // Finish makes the TCP/IP key again when others removed it.
  expected_.AddKey(TcpipKeyName(family_));
  for (size_t i = 0; i < writes.size(); ++i) {
    RegValue now;
    if (!Get(memory_, writes[i].first, writes[i].second, &now) ||
        now != values[i])
      Violation("Finish said it boosted but " + writes[i].first + " : " +
                writes[i].second + " does not hold the new value");
    NoteWritten(writes[i], before);
  }
}

void UserMachineModel::NoteWritten(const Location& location,
                                   const RegistrySnapshot& before) {
  if (IsWritten(location.first, location.second)) return;
  // From now on this value's original is what it held just before.
  const RegValue* was = before.Find(location.first, location.second);
  if (was)
    origin_.Set(location.first, location.second, *was);
  else
    origin_.Erase(location.first, location.second);
  written_.insert(
      Location(FoldedName(location.first), FoldedName(location.second)));
}

void UserMachineModel::NoteWritesOfCutFinish(
    const std::vector<Location>& writes, const RegistrySnapshot& before) {
  // The program died half way: a key the backup lists as written may hold
  // new values, which Reset puts back; no other key may have changed, but
  // the TCP/IP key may have been made again.
  noted_ = before;
  if (KeyExists(memory_, TcpipKeyName(family_)))
    expected_.AddKey(TcpipKeyName(family_));
  for (const Location& location : writes) {
    RegValue mark, now;
    bool listed =
        location.second == "Properties"
            ? Get(memory_, location.first, location.second, &now) &&
                  !(before.Find(location.first, location.second) &&
                    *before.Find(location.first, location.second) == now)
            : Get(memory_, std::string(kBackupKeyName) + "\\Written Keys",
                  location.first, &mark);
    if (listed) {
      NoteWritten(location, before);
      continue;
    }
    const RegValue* was = before.Find(location.first, location.second);
    bool present = Get(memory_, location.first, location.second, &now);
    if (present != (was != nullptr) || (was && *was != now))
      Violation("a Finish cut short changed " + location.first + " : " +
                location.second + " without listing its key as written");
  }
}

std::vector<UserMachineModel::Location> UserMachineModel::FinishWrites()
    const {
  std::vector<Location> writes;
  MemoryRegistry& machine = const_cast<MemoryRegistry&>(memory_);
  if (KeyExists(machine, kBrowserKeyName))
    for (const Written& value : kBrowserWrites)
      writes.push_back(Location(kBrowserKeyName, value.name));
  for (const Written& value : TcpipWrites(family_))
    writes.push_back(Location(TcpipKeyName(family_), value.name));
  for (const std::string& device : Devices()) {
    if (device.empty() || !KeyExists(machine, device)) continue;
    for (const Written& value : DeviceWrites(family_))
      // NT's TCP takes its MSS from the MTU: Finish writes none there.
      if (family_ == kFamily9x || value.field != &R::NewMSS)
        writes.push_back(Location(device, value.name));
  }
  if (modemFound_ == 1) {
    for (const std::string& modem : modems_) {
      RegValue properties;
      if (Get(machine, modem, "Properties", &properties) &&
          IsSlowModem(properties))
        writes.push_back(Location(modem, "Properties"));
    }
  }
  return writes;
}

RegValue UserMachineModel::NewValue(const Location& location) const {
  if (location.second == "Properties") {
    RegValue properties;
    Get(const_cast<MemoryRegistry&>(memory_), location.first,
        location.second, &properties);
    return FastModem(properties);
  }
  bool browser = location.first == kBrowserKeyName;
  const std::vector<Written>& key =
      browser ? kBrowserWrites
              : location.first == TcpipKeyName(family_) ? TcpipWrites(family_)
                                                        : DeviceWrites(family_);
  for (const Written& value : key) {
    if (location.second != value.name) continue;
    const int32_t number =
        value.field ? record_.*value.field
        : value.fixed == kScalingForTheWindow ? (record_.NewRWIN > 65535 ? 1 : 0)
                                              : value.fixed;
    return Encoded(!browser && family_ == kFamily9x, number);
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
  bool cut = registry_.CutHappened();
  HealFaults();
  if (cut) {
    trace_.back() += " (cut)";
    // Unless the cut fell as the spent backup went, the next Reset ends it.
    if (!hasBackup_ || !BackupAsResetFindsIt().empty()) return;
  } else if (outcome.result == kNoBackup) {
    if (hasBackup_) Violation("Reset found no backup where there was one");
    return;
  } else if (outcome.result == kRestoreIncomplete ||
             outcome.result == kBackupNotRead) {
    trace_.back() += " (failed)";
    if (hasBackup_ && BackupAsResetFindsIt().empty())
      Violation("a Reset that failed removed the backup");
    return;
  }
  ++restored_;
  if (!hasBackup_) Violation("Reset said it put back a backup there was not");
  RegistrySnapshot want = expected_;
  if (!scenario_.dialUpBinding.empty() &&
      IsWritten(scenario_.dialUpBinding, "MaxMTU"))
    want = WithMtuAsRestored(want);
  const std::string tcpip = TcpipKeyName(family_);
  if (tcpipMade_ && want.HasKey(tcpip) && want.ValueNames(tcpip).empty())
    want.EraseKey(tcpip);
  RegistrySnapshot now = Settings();
  std::vector<std::string> differences = want.Differences(now);
  if (!differences.empty())
    Violation("after a Reset that said it succeeded: " + differences[0]);
  hasBackup_ = false;
  tcpipMade_ = false;
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
  if (mtu && IsZeroText(*mtu)) {
    settings.Erase(scenario_.dialUpBinding, "MaxMTU");
  } else if (mtu) {
    RegValue padded = *mtu;
    if (padded.type == kRegSz && padded.data.size() < kTextSize)
      padded.data.resize(kTextSize, 0);
    settings.Set(scenario_.dialUpBinding, "MaxMTU", padded);
  }
  return settings;
}

void UserMachineModel::InjectFault(uint32_t detail) {
  uint32_t skip = (detail / 32) % 48;
  // Now and then a second fault in the same operation, so that the undo of
  // a failed Finish meets one too.
  bool second = (detail / 1536) % 3 == 0;
  if (!second) HealFaults();
  if (detail % 32 >= kFailableRegCalls.size()) {
    trace_.push_back("power cut after " + std::to_string(skip * 4) + " calls");
    registry_.CutAfter(skip * 4);
    return;
  }
  RegCall call = kFailableRegCalls[detail % 32];
  trace_.push_back(std::string(second ? "and fault: " : "fault: ") +
                   RegCallName(call) + " number " + std::to_string(skip + 1));
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
  switch (detail % 7) {
    case 0: ChangeTunedValue(detail / 7); break;
    case 1:
      if (family_ == kFamilyNT) AddInterface(); else ChangeTunedValue(detail);
      break;
    case 2: RemoveDevice(detail / 7); break;
    case 3: ChangeModem(detail / 7); break;
    case 4: OthersRemoveTunedKey(kBrowserKeyName); break;
    case 5: ChangeDeviceValue(detail / 7); break;
    default:
      // The NT TCP/IP key holds the interfaces: only the 9x one goes whole.
      if (family_ == kFamily9x) OthersRemoveTunedKey(kMstcpKeyName);
      else ChangeDeviceValue(detail / 7);
  }
}

void UserMachineModel::ChangeTunedValue(uint32_t detail) {
  bool browser = detail % 3 == 0;
  const std::vector<Written>& values = browser ? kBrowserWrites : TcpipWrites(family_);
  std::string key = browser ? kBrowserKeyName : TcpipKeyName(family_);
  const char* name = values[(detail / 3) % values.size()].name;
  int32_t number = static_cast<int32_t>((detail / 64) % 70000);
  RegValue value;  // kRegNone: removed
  if (detail % 7) value = Encoded(!browser && family_ == kFamily9x, number);
  trace_.push_back("others set " + key + " : " + name);
  OthersPut(key, name, value);
}

void UserMachineModel::ChangeDeviceValue(uint32_t detail) {
  std::vector<std::string> devices = Devices();
  if (devices.empty() || devices[0].empty()) return;
  std::string device = devices[detail % devices.size()];
  if (!KeyExists(memory_, device)) return;
  const char* name = DeviceWrites(family_)[(detail / 8) % 2].name;
  RegValue value;  // kRegNone: removed
  if (detail % 5)
    value = Encoded(family_ == kFamily9x,
                    500 + static_cast<int32_t>((detail / 16) % 1000));
  trace_.push_back("others set " + LastPart(device) + " : " + name);
  OthersPut(device, name, value);
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

void UserMachineModel::RemoveDevice(uint32_t detail) {
  // In the 9x family the dial-up binding goes, which breaks the chain that
  // the backup follows to it.
  if (family_ == kFamily9x) {
    const std::string& binding = scenario_.dialUpBinding;
    if (binding.empty() || !KeyExists(memory_, binding)) return;
    trace_.push_back("others remove " + LastPart(binding));
    OthersRemoveKey(binding);
    return;
  }
  if (interfaces_.empty()) return;
  size_t index = detail % interfaces_.size();
  trace_.push_back("others remove " + LastPart(interfaces_[index]));
  OthersRemoveKey(interfaces_[index]);
  interfaces_.erase(interfaces_.begin() + static_cast<long>(index));
}

void UserMachineModel::ChangeModem(uint32_t detail) {
  RegValue properties = ModemRecord(detail % 2 ? 115200 : 57600);
  properties.data[0] = static_cast<uint8_t>(detail >> 8);
  if (modems_.empty() || detail % 3 == 0) {
    std::string key = std::string(ModemClassKeyName(family_)) + "\\Model" +
                      std::to_string(nextName_++);
    trace_.push_back("others add modem " + LastPart(key));
    OthersPut(key, "Properties", properties);
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
                          FoldedName("Properties")));
  OthersPut(modems_[index], "Properties", properties);
}

void UserMachineModel::OthersRemoveTunedKey(const std::string& key) {
  trace_.push_back("others remove " + LastPart(key));
  RemoveKey(memory_, key);
  // Reset makes it again for the values Velocine wrote there, as they were.
  for (const std::string& name : expected_.ValueNames(key))
    if (!IsWritten(key, name)) expected_.Erase(key, name);
  if (expected_.ValueNames(key).empty()) expected_.EraseKey(key);
}

void UserMachineModel::OthersPut(const std::string& key,
                                 const std::string& name,
                                 const RegValue& value) {
  // Removing a value from a key that is not there changes nothing.
  if (value.type == kRegNone && !KeyExists(memory_, key)) return;
  Put(memory_, key, name, value);
  // A key others make again stays, whatever Reset does with the value.
  if (value.type != kRegNone) expected_.AddKey(key);
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

std::string UserMachineModel::BackupAsResetFindsIt() {
  // Read raw, without the store's help: a new backup marked complete is
  // what the next look copies into place; a backup marked spent is gone.
  RegValue mark;
  if (Get(memory_, kNewBackupKeyName, "Complete", &mark))
    return kNewBackupKeyName;
  if (KeyExists(memory_, kBackupKeyName) &&
      !Get(memory_, kBackupKeyName, "Spent", &mark))
    return kBackupKeyName;
  return "";
}

bool UserMachineModel::BackupMatchesOrigin(const std::string& backupKey) {
  RegistrySnapshot backup = SnapshotOf(memory_, backupKey);
  auto entryMatches = [&](const std::string& entries, const std::string& entry,
                          const RegValue* original, bool absentAsZero) {
    const RegValue* saved = backup.Find(entries, entry);
    if (original) return saved && *saved == *original;
    if (absentAsZero) return saved && *saved == RegValue::Text("0");
    return !saved;
  };
  auto matches = [&](const std::string& entries, const std::string& entry,
                     const std::string& key, const std::string& name,
                     bool absentAsZero) {
    return entryMatches(entries, entry, origin_.Find(key, name),
                        absentAsZero) ||
           entryMatches(entries, entry, noted_.Find(key, name), absentAsZero);
  };
  for (const Written& value : kBrowserWrites)
    if (!matches(backupKey, value.name, kBrowserKeyName, value.name, false))
      return false;
  for (const Written& value : TcpipWrites(family_))
    if (!matches(backupKey, value.name, TcpipKeyName(family_), value.name,
                 false))
      return false;
  std::string mtuEntries = backupKey + "\\MTU Settings";
  std::string mssEntries = backupKey + "\\MSS Settings";
  for (const std::string& device : Devices()) {
    if (device.empty()) continue;
    if (!origin_.HasKey(device)) continue;  // came since the backup
    std::string name = LastPart(device);
    if (!matches(mtuEntries, name, device, DeviceWrites(family_)[0].name,
                 family_ == kFamily9x) ||
        !matches(mssEntries, name, device, DeviceWrites(family_)[1].name, false))
      return false;
  }
  return true;
}

void UserMachineModel::CheckAfterStep() {
  // As the main window finds it at its next start.
  std::string backup = BackupAsResetFindsIt();
  if (backup.empty() == hasBackup_)
    Violation(hasBackup_ ? "the backup is gone while Velocine's changes stay"
                         : "Reset is offered without a backup to put back");
  else if (hasBackup_ && !BackupMatchesOrigin(backup))
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
