#include "store/FinishPlaces.h"

#include "store/EachInterface.h"
#include "store/RecordedBinding.h"

namespace velo {

std::string Place::RootedPath() const {
  return (root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

namespace {

Place TunedPlace(const TunedKey& tuned, const std::string& icmpRedirectName) {
  Place place{tuned.root, tuned.path, tuned.type, tuned.createdByApply, true,
              {}};
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    const TunedValue& read = AsRead(tuned.values[i], icmpRedirectName);
    place.slots.push_back(ValueSlot{&read, nullptr, read.name, false});
  }
  return place;
}

// The ICMP redirect value's name the backup covers.
std::string BackedUpIcmpRedirectName(Registry& registry,
                                     StoreOutcome& outcome) {
  StoreKey backup(registry, outcome);
  RegValue name;
  if (backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) == kRegOk &&
      backup.Read(kIcmpRedirectNameValue, &name) == kRegOk &&
      name.type == kRegSz)
    return name.AsText();
  return kIcmpRedirectsValue;
}

Place DevicePlace(const FamilyLocations& at, const std::string& name,
                  bool mtuAbsentAsMarker) {
  return Place{kHkeyLocalMachine,
               JoinKeyPath(at.deviceParent, name),
               at.tcpip.type,
               false,
               false,
               {ValueSlot{&at.deviceMtu, kMtuBackupSubKey, name,
                          mtuAbsentAsMarker},
                ValueSlot{&at.deviceMss, kMssBackupSubKey, name, false}}};
}

}  // namespace

std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                StoreOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(family);
  const std::string icmpRedirectName =
      family == kFamilyNT ? BackedUpIcmpRedirectName(registry, outcome)
                          : kIcmpRedirectsValue;
  std::vector<Place> places{TunedPlace(BrowserKey(), icmpRedirectName),
                            TunedPlace(at.tcpip, icmpRedirectName)};
  if (family == kFamily9x) {
    StoreKey mtuEntries(registry, outcome);
    std::string binding = OpenRecordedBinding9x(mtuEntries);
    if (!binding.empty()) places.push_back(DevicePlace(at, binding, true));
  } else {
    ForEachInterface(registry, outcome, kAccessRead,
                     [&](const std::string& name, const StoreKey&) {
                       places.push_back(DevicePlace(at, name, false));
                     });
  }
  return places;
}

const StoreKey* EntriesOf(const StoreKey& backup, const ValueSlot& slot,
                          RegAccess access, StoreKey* subKey) {
  if (!slot.entrySubKey) return &backup;
  RegStatus status = subKey->Open(backup, slot.entrySubKey, access);
  if (status == kRegNotFound) subKey->Fail(StoreFailure::kOpenKey, "", status);
  return status == kRegOk ? subKey : nullptr;
}

}  // namespace velo
