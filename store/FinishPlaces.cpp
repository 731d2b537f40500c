#include "store/FinishPlaces.h"

#include <algorithm>

#include "store/NetworkDevices.h"
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

Place DevicePlace(DeviceLayout layout, const std::string& name) {
  const FamilyLocations& at =
      LocationsOf(layout == kBindings9x ? kFamily9x : kFamilyNT);
  const bool mtuAbsentAsMarker = layout == kBindings9x;
  return Place{kHkeyLocalMachine,
               DeviceKeyPath(layout, name),
               at.tcpip.type,
               false,
               false,
               {ValueSlot{&at.deviceMtu, kMtuBackupSubKey, name,
                          mtuAbsentAsMarker},
                ValueSlot{&at.deviceMss, kMssBackupSubKey, name, false}}};
}

// The devices whose MTU and MSS Finish writes (`connection` set) or Reset
// may put back (null). On 9x only bindings the backup recorded count: a
// MaxMTU it could not read is left alone.
std::vector<std::string> DeviceNames(Registry& registry, DeviceLayout layout,
                                     const int32_t* connection,
                                     StoreOutcome& outcome) {
  std::vector<std::string> recorded;
  if (layout == kBindings9x) {
    recorded = RecordedBindings9x(registry, outcome);
    if (!connection) return recorded;
  }
  std::vector<std::string> names;
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, layout)) {
    if (connection && !CarriesConnection(device.kind, *connection, layout))
      continue;
    if (layout == kBindings9x &&
        std::find(recorded.begin(), recorded.end(), device.name) ==
            recorded.end())
      continue;
    names.push_back(device.name);
  }
  return names;
}

std::vector<Place> Places(Registry& registry, WindowsFamily family,
                          const int32_t* connection, StoreOutcome& outcome) {
  const FamilyLocations& at = LocationsOf(family);
  std::string icmpRedirectName = kIcmpRedirectsValue;
  DeviceLayout layout = DeviceLayoutOf(family, WindowsLimits());
  {
    StoreKey backup(registry, outcome);
    if (family == kFamilyNT &&
        backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) == kRegOk) {
      icmpRedirectName = BackedUpIcmpRedirectName(backup);
      layout = BackedUpDeviceLayout(backup, family);
    }
  }
  std::vector<Place> places{TunedPlace(BrowserKey(), icmpRedirectName),
                            TunedPlace(at.tcpip, icmpRedirectName)};
  for (const std::string& name :
       DeviceNames(registry, layout, connection, outcome))
    places.push_back(DevicePlace(layout, name));
  return places;
}

}  // namespace

std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                int32_t connection, StoreOutcome& outcome) {
  return Places(registry, family, &connection, outcome);
}

std::vector<Place> ResetPlaces(Registry& registry, WindowsFamily family,
                               StoreOutcome& outcome) {
  return Places(registry, family, nullptr, outcome);
}

bool IsDevicePlace(const Place& place) { return !place.recreatedByRestore; }

std::string BackedUpIcmpRedirectName(const StoreKey& backup) {
  RegValue name;
  if (backup.Read(kIcmpRedirectNameValue, &name) == kRegOk &&
      name.type == kRegSz)
    return name.AsText();
  return kIcmpRedirectsValue;
}

DeviceLayout BackedUpDeviceLayout(const StoreKey& backup,
                                  WindowsFamily family) {
  if (family == kFamily9x) return kBindings9x;
  RegValue layout;
  return backup.Read(kDeviceLayoutValue, &layout) == kRegOk &&
                 layout.type == kRegSz &&
                 layout.AsText() == kBoundAdaptersLayout
             ? kBoundAdaptersNT4
             : kInterfacesNT;
}

const StoreKey* EntriesOf(const StoreKey& backup, const ValueSlot& slot,
                          RegAccess access, StoreKey* subKey) {
  if (!slot.entrySubKey) return &backup;
  RegStatus status = subKey->Open(backup, slot.entrySubKey, access);
  if (status == kRegNotFound) subKey->Fail(StoreFailure::kOpenKey, "", status);
  return status == kRegOk ? subKey : nullptr;
}

}  // namespace velo
