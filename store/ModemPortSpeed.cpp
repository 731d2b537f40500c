#include "store/ModemPortSpeed.h"

#include "store/RegistryLocations.h"

namespace velo {

namespace {

// The two middle bytes of the modem's maximum DTE rate, a little-endian
// 32-bit number at offset 24 of the record.
const size_t kRateSecondByte = 25;
const size_t kRateThirdByte = 26;
const uint8_t kSlowRate[] = {0xC2, 0x01};  // 115,200 = 0x01C200
const uint8_t kFastRate[] = {0x10, 0x0E};  // 921,600 = 0x0E1000

bool IsBoostable(const RegValue& properties) {
  return properties.data.size() > kRateThirdByte &&
         properties.data[kRateSecondByte] == kSlowRate[0] &&
         properties.data[kRateThirdByte] == kSlowRate[1];
}

RegValue Boosted(RegValue properties) {
  properties.data[kRateSecondByte] = kFastRate[0];
  properties.data[kRateThirdByte] = kFastRate[1];
  return properties;
}

// Calls act(modemClassKey, subKeyName, modemKey, properties) for each
// installed modem that can be raised, until act returns false.
template <typename Act>
void ForEachBoostableModem(Registry& registry, WindowsFamily family,
                           StoreOutcome& outcome, Act act) {
  StoreKey modems(registry, outcome);
  if (modems.Open(kHkeyLocalMachine, LocationsOf(family).modemClass,
                  kAccessRead) != kRegOk)
    return;
  std::vector<std::string> names;
  modems.SubKeyNames(&names);
  for (const std::string& name : names) {
    StoreKey modem(registry, outcome);
    RegValue properties;
    if (modem.Open(modems, name, kAccessRead) != kRegOk ||
        modem.Read(kModemPropertiesValue, &properties) != kRegOk ||
        !IsBoostable(properties))
      continue;
    if (!act(modems, name, properties)) return;
  }
}

// The modem's key opened for writing, with the record it is to get; false
// when it does not open (a failure is recorded unless the modem is gone).
bool OpenForWriting(Registry& registry, const StoreKey& modems,
                    const std::string& name, const RegValue& properties,
                    StoreOutcome& outcome, std::vector<OpenModem>* records) {
  OpenModem record;
  record.modem.reset(new StoreKey(registry, outcome));
  record.name = name;
  record.properties = properties;
  if (record.modem->Open(modems, name, kAccessReadWrite) != kRegOk)
    return false;
  records->push_back(std::move(record));
  return true;
}

}  // namespace

StoreOutcome DetectBoostableModem(Registry& registry, WindowsFamily family,
                                  int32_t& modemFound) {
  StoreOutcome outcome;
  ForEachBoostableModem(
      registry, family, outcome,
      [&](const StoreKey&, const std::string&, const RegValue&) {
        modemFound = 1;
        return false;
      });
  return outcome;
}

std::vector<OpenModem> OpenBoostableModems(Registry& registry,
                                             WindowsFamily family,
                                             StoreOutcome& outcome) {
  std::vector<OpenModem> records;
  ForEachBoostableModem(registry, family, outcome,
                        [&](const StoreKey& modems, const std::string& name,
                            const RegValue& properties) {
                          OpenForWriting(registry, modems, name, properties,
                                         outcome, &records);
                          return true;
                        });
  return records;
}

void BoostModemPortSpeed(Registry& registry, const StoreKey& backup,
                         const std::vector<OpenModem>& modems,
                         StoreOutcome& outcome) {
  if (modems.empty()) return;
  StoreKey saved(registry, outcome);
  if (saved.Create(backup, kModemBackupSubKey) != kRegOk) return;
  for (const OpenModem& record : modems) {
    if (saved.Write(record.name, record.properties) == kRegOk)
      record.modem->Write(kModemPropertiesValue, Boosted(record.properties));
  }
}

std::vector<OpenModem> OpenModemsToRestore(Registry& registry,
                                             WindowsFamily family,
                                             const StoreKey& backup,
                                             StoreOutcome& outcome) {
  std::vector<OpenModem> records;
  StoreKey saved(registry, outcome);
  if (saved.Open(backup, kModemBackupSubKey, kAccessRead) != kRegOk)
    return records;
  std::vector<std::string> names;
  saved.ValueNames(&names);
  if (names.empty()) return records;
  StoreKey modems(registry, outcome);
  if (modems.Open(kHkeyLocalMachine, LocationsOf(family).modemClass,
                  kAccessRead) != kRegOk)
    return records;
  for (const std::string& name : names) {
    RegValue properties;
    RegValue now;
    StoreKey modem(registry, outcome);
    if (saved.Read(name, &properties) != kRegOk || !IsBoostable(properties) ||
        modem.Open(modems, name, kAccessRead) != kRegOk ||
        modem.Read(kModemPropertiesValue, &now) != kRegOk ||
        now != Boosted(properties))
      continue;
    OpenForWriting(registry, modems, name, properties, outcome, &records);
  }
  return records;
}

}  // namespace velo
