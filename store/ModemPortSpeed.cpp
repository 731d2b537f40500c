#include "store/ModemPortSpeed.h"

#include <string>
#include <vector>

#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

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

// Calls act(modemClassKey, subKeyName, properties) for each installed modem
// that can be raised, until act returns false.
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

StoreOutcome BoostModemPortSpeed(Registry& registry, WindowsFamily family) {
  StoreOutcome outcome;
  StoreKey backup(registry, outcome);
  RegStatus status =
      backup.Open(kHkeyCurrentUser, kBackupKey, kAccessReadWrite);
  if (status == kRegNotFound) backup.Fail(StoreFailure::kOpenKey, "", status);
  if (status != kRegOk) return outcome;
  StoreKey saved(registry, outcome);
  if (saved.Create(backup, kModemBackupSubKey) != kRegOk) return outcome;

  ForEachBoostableModem(
      registry, family, outcome,
      [&](const StoreKey& modems, const std::string& name,
          RegValue properties) {
        StoreKey modem(registry, outcome);
        if (saved.Write(name, properties) != kRegOk ||
            modem.Open(modems, name, kAccessReadWrite) != kRegOk)
          return true;
        properties.data[kRateSecondByte] = kFastRate[0];
        properties.data[kRateThirdByte] = kFastRate[1];
        modem.Write(kModemPropertiesValue, properties);
        return true;
      });
  return outcome;
}

void RestoreModemPortSpeed(Registry& registry, WindowsFamily family,
                           StoreOutcome& outcome) {
  StoreKey saved(registry, outcome);
  if (saved.Open(kHkeyCurrentUser, JoinKeyPath(kBackupKey, kModemBackupSubKey),
                 kAccessRead) != kRegOk)
    return;
  std::vector<std::string> names;
  saved.ValueNames(&names);
  if (names.empty()) return;
  StoreKey modems(registry, outcome);
  if (modems.Open(kHkeyLocalMachine, LocationsOf(family).modemClass,
                  kAccessRead) != kRegOk)
    return;
  for (const std::string& name : names) {
    StoreKey modem(registry, outcome);
    RegValue properties;
    if (saved.Read(name, &properties) == kRegOk &&
        modem.Open(modems, name, kAccessReadWrite) == kRegOk)
      modem.Write(kModemPropertiesValue, properties);
  }
}

}  // namespace velo
