#include "store/Apply.h"

#include "store/EachInterface.h"
#include "store/ModemPortSpeed.h"
#include "store/RecordedBinding.h"
#include "store/RegistryLocations.h"
#include "store/StoreKey.h"
#include "store/StoredNumber.h"

namespace velo {

namespace {

RegValue NewValue(const TunedValue& tuned, RegType locationType,
                  const SettingsRecord& record) {
  return StoredNumber(locationType, tuned.newField ? record.*tuned.newField
                                                   : tuned.fixedNumber);
}

void ApplyTunedKey(Registry& registry, const TunedKey& tuned,
                   const SettingsRecord& record, ApplyOutcome& outcome) {
  StoreKey target(registry, outcome);
  RegStatus status = tuned.createdByApply
                         ? target.Create(tuned.root, tuned.path)
                         : target.Open(tuned.root, tuned.path, kAccessReadWrite);
  if (status != kRegOk) return;
  for (size_t i = 0; i < tuned.valueCount; ++i)
    target.Write(tuned.values[i].name,
                 NewValue(tuned.values[i], tuned.type, record));
}

void ApplyDeviceValues(const StoreKey& device, const FamilyLocations& at,
                       const SettingsRecord& record) {
  device.Write(at.deviceMtu.name, NewValue(at.deviceMtu, at.tcpip.type, record));
  device.Write(at.deviceMss.name, NewValue(at.deviceMss, at.tcpip.type, record));
}

// The binding is the one the backup recorded; without one there is no
// dial-up adapter and nothing to write.
void ApplyAdapterMtu9x(Registry& registry, const SettingsRecord& record,
                       ApplyOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(kFamily9x);
  StoreKey mtuEntries(registry, outcome);
  std::string name = OpenRecordedBinding9x(mtuEntries);
  if (name.empty()) return;
  StoreKey binding(registry, outcome);
  RegStatus status = binding.Open(
      kHkeyLocalMachine, JoinKeyPath(at.deviceParent, name), kAccessReadWrite);
  if (status == kRegNotFound) binding.Fail(StoreFailure::kOpenKey, "", status);
  if (status == kRegOk) ApplyDeviceValues(binding, at, record);
}

// Every interface gets both values, whether or not it had them.
void ApplyInterfaceMtuNT(Registry& registry, const SettingsRecord& record,
                         ApplyOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(kFamilyNT);
  ForEachInterface(registry, outcome, kAccessReadWrite,
                   [&](const std::string&, const StoreKey& device) {
                     ApplyDeviceValues(device, at, record);
                   });
}

}  // namespace

ApplyOutcome ApplySettings(Registry& registry, WindowsFamily family,
                           const SettingsRecord& record, int32_t modemFound) {
  ApplyOutcome outcome;
  if (modemFound == 1) outcome.Append(BoostModemPortSpeed(registry, family));
  ApplyTunedKey(registry, BrowserKey(), record, outcome);
  ApplyTunedKey(registry, LocationsOf(family).tcpip, record, outcome);
  if (family == kFamily9x)
    ApplyAdapterMtu9x(registry, record, outcome);
  else
    ApplyInterfaceMtuNT(registry, record, outcome);
  return outcome;
}

}  // namespace velo
