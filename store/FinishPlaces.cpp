#include "store/FinishPlaces.h"

#include <algorithm>

#include "registry/PathNames.h"
#include "store/NetworkDevices.h"
#include "store/RecordedBinding.h"

namespace velo {

std::string Place::RootedPath() const {
  return (root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

namespace {

// A tuned key's place; the ICMP redirect value is left out where this
// Windows reads none (`icmpRedirectName` empty).
Place TunedPlace(const TunedKey& tuned, const std::string& icmpRedirectName) {
  Place place{tuned.root, tuned.path, tuned.type, tuned.createdByApply, true,
              {}};
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    if (icmpRedirectName.empty() &&
        tuned.values[i].name == std::string(kIcmpRedirectsValue))
      continue;
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

// The one MTU NT 4.0's RAS reads for every dial-up connection.
Place NdisWanPlace() {
  return Place{kHkeyLocalMachine,
               kNdisWanParametersKey,
               kRegDword,
               false,
               false,
               {ValueSlot{&NdisWanMtu(), kMtuBackupSubKey, kNdisWanService,
                          false}}};
}

// What the backup says Finish and Reset go by.
struct BackedUp {
  std::string icmpRedirectName = kIcmpRedirectsValue;
  DeviceLayout layout;
  bool ndisWanMtu = false;
};

bool ContainsAnyCase(const std::vector<std::string>& names,
                     const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) {
    return NamesEqual(n, name);
  });
}

// Adds the adapter `name` once; a name that is no single key is none.
void AddName(std::vector<std::string>* names, const std::string& name) {
  if (!name.empty() && name.find('\\') == std::string::npos &&
      !ContainsAnyCase(*names, name))
    names->push_back(name);
}

// The NT 4.0 adapters whose MTU and MSS Reset may put back: those bound
// today, and those the backup names, also when they have left the bindings
// since: in its MTU and MSS entries, and among the keys Finish wrote.
std::vector<std::string> RecordedAdaptersNT4(Registry& registry,
                                             StoreOutcome& outcome) {
  std::vector<std::string> names;
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, kBoundAdaptersNT4))
    AddName(&names, device.name);
  StoreKey backup(registry, outcome);
  if (backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) != kRegOk)
    return names;
  for (const char* sub : {kMtuBackupSubKey, kMssBackupSubKey}) {
    StoreKey entries(registry, outcome);
    std::vector<std::string> recorded;
    if (entries.Open(backup, sub, kAccessRead) == kRegOk)
      entries.ValueNames(&recorded);
    for (const std::string& name : recorded)
      if (!NamesEqual(name, kNdisWanService)) AddName(&names, name);
  }
  StoreKey written(registry, outcome);
  std::vector<std::string> keys;
  if (written.Open(backup, kWrittenBackupSubKey, kAccessRead) == kRegOk)
    written.ValueNames(&keys);
  for (const std::string& key : keys)
    AddName(&names, BoundAdapterOfKey(key));
  return names;
}

// The devices whose MTU and MSS Finish writes (`connection` set) or Reset
// may put back (null). On 9x only bindings the backup recorded count: a
// MaxMTU it could not read is left alone. On NT 4.0 the dial-up adapters'
// MTU is RAS's own, where that Windows reads one.
std::vector<Place> DevicePlaces(Registry& registry, const BackedUp& backedUp,
                                const int32_t* connection,
                                StoreOutcome& outcome, bool* mtuNotRead) {
  const DeviceLayout layout = backedUp.layout;
  std::vector<std::string> recorded;
  if (layout == kBindings9x) recorded = RecordedBindings9x(registry, outcome);
  std::vector<Place> places;
  const bool rasCarries = backedUp.ndisWanMtu &&
                          (!connection ||
                           CarriesConnection(kDialUpDevice, *connection));
  if (!connection) {
    if (layout == kBoundAdaptersNT4)
      recorded = RecordedAdaptersNT4(registry, outcome);
    else if (layout == kInterfacesNT)
      for (const NetworkDevice& device :
           FindNetworkDevices(registry, outcome, layout))
        recorded.push_back(device.name);
    for (const std::string& name : recorded)
      places.push_back(DevicePlace(layout, name));
    if (rasCarries) places.push_back(NdisWanPlace());
    return places;
  }
  bool rasBound = false;
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, layout)) {
    if (!CarriesConnection(device.kind, *connection)) continue;
    if (layout == kBindings9x &&
        std::find(recorded.begin(), recorded.end(), device.name) ==
            recorded.end())
      continue;
    if (layout == kBoundAdaptersNT4 && device.kind == kDialUpDevice) {
      rasBound = true;
      continue;
    }
    places.push_back(DevicePlace(layout, device.name));
  }
  if (rasBound && rasCarries) places.push_back(NdisWanPlace());
  *mtuNotRead = rasBound && !rasCarries;
  return places;
}

std::vector<Place> Places(Registry& registry, WindowsFamily family,
                          const int32_t* connection, StoreOutcome& outcome,
                          bool* mtuNotRead) {
  const FamilyLocations& at = LocationsOf(family);
  BackedUp backedUp;
  backedUp.layout = DeviceLayoutOf(family, WindowsLimits());
  {
    StoreKey backup(registry, outcome);
    if (family == kFamilyNT &&
        backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) == kRegOk) {
      backedUp.icmpRedirectName = BackedUpIcmpRedirectName(backup);
      backedUp.layout = BackedUpDeviceLayout(backup, family);
      RegValue ras;
      backedUp.ndisWanMtu =
          backedUp.layout == kBoundAdaptersNT4 &&
          backup.Read(kNdisWanMtuValue, &ras) == kRegOk &&
          ras.type == kRegSz && ras.AsText() == kNdisWanService;
    }
  }
  std::vector<Place> places{
      TunedPlace(BrowserKey(), backedUp.icmpRedirectName),
      TunedPlace(at.tcpip, backedUp.icmpRedirectName)};
  for (Place& place :
       DevicePlaces(registry, backedUp, connection, outcome, mtuNotRead))
    places.push_back(std::move(place));
  return places;
}

}  // namespace

std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                int32_t connection, StoreOutcome& outcome,
                                bool* mtuNotRead) {
  return Places(registry, family, &connection, outcome, mtuNotRead);
}

std::vector<Place> ResetPlaces(Registry& registry, WindowsFamily family,
                               StoreOutcome& outcome) {
  bool mtuNotRead = false;
  return Places(registry, family, nullptr, outcome, &mtuNotRead);
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
