#include "store/FinishPlaces.h"

#include <algorithm>

#include "registry/PathNames.h"
#include "store/NetworkDevices.h"
#include "store/RecordedBinding.h"

namespace velo {

std::string RootedPathOf(RegHandle root, const std::string& path) {
  return (root == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

bool SplitRootedPath(const std::string& rooted, RegHandle* root,
                     std::string* path) {
  for (RegHandle candidate : {kHkeyLocalMachine, kHkeyCurrentUser}) {
    const std::string start = RootedPathOf(candidate, "");
    if (rooted.size() > start.size() &&
        NamesEqual(rooted.substr(0, start.size()), start)) {
      *root = candidate;
      *path = rooted.substr(start.size());
      return true;
    }
  }
  return false;
}

std::string Place::RootedPath() const { return RootedPathOf(root, path); }

namespace {

// A tuned key's place; the ICMP redirect value is left out where this
// Windows reads none (`icmpRedirectName` empty), and so is every value the
// running Windows does not read (`limits` given).
Place TunedPlace(const TunedKey& tuned, const std::string& icmpRedirectName,
                 const WindowsLimits* limits = nullptr) {
  Place place{tuned.root, tuned.path, tuned.type, tuned.createdByApply, true,
              {}};
  for (size_t i = 0; i < tuned.valueCount; ++i) {
    if (icmpRedirectName.empty() &&
        tuned.values[i].name == std::string(kIcmpRedirectsValue))
      continue;
    if (limits && tuned.values[i].readBy && !tuned.values[i].readBy(*limits))
      continue;
    const TunedValue& read = AsRead(tuned.values[i], icmpRedirectName);
    place.slots.push_back(ValueSlot{&read, nullptr, read.name, false});
  }
  return place;
}

// The NT TCP/IP key with both ICMP redirect values: Reset looks for either.
Place EveryNameTcpipPlace() {
  Place place = TunedPlace(LocationsOf(kFamilyNT).tcpip, kIcmpRedirectsValue);
  const TunedValue& singular =
      AsRead(*place.slots.back().tuned, kIcmpRedirectValue);
  place.slots.push_back(ValueSlot{&singular, nullptr, singular.name, false});
  return place;
}

// 98's or Me's largest receive window, `names` those of the caps given.
Place WindowCapPlace(const std::vector<std::string>& names) {
  Place place{kHkeyLocalMachine, kMstcpParametersKey, kRegDword, true, true,
              {}};
  for (const std::string& name : names)
    place.slots.push_back(ValueSlot{&WindowCap(name),
                                    kMstcpParametersBackupSubKey, name, false});
  return place;
}

// The MTU of PPP on 2000, XP and 2003, with the protocol types that make
// the entry IP's.
Place PppPlace() {
  Place place{kHkeyLocalMachine, kPppProtocolKey, kRegDword, true, false, {}};
  size_t count = 0;
  const TunedValue* values = PppProtocolValues(&count);
  for (size_t i = 0; i < count; ++i)
    place.slots.push_back(
        ValueSlot{&values[i], kPppBackupSubKey, values[i].name, false});
  return place;
}

Place DevicePlace(DeviceLayout layout, const std::string& name,
                  const WindowsLimits* limits = nullptr) {
  const FamilyLocations& at =
      LocationsOf(layout == kBindings9x ? kFamily9x : kFamilyNT);
  const bool mtuAbsentAsMarker = layout == kBindings9x;
  Place place{kHkeyLocalMachine, DeviceKeyPath(layout, name), at.tcpip.type,
              false, false, {}};
  for (const ValueSlot& slot :
       {ValueSlot{&at.deviceMtu, kMtuBackupSubKey, name, mtuAbsentAsMarker},
        ValueSlot{&at.deviceMss, kMssBackupSubKey, name, false}})
    // Finish (`limits` given) writes only what the running Windows reads.
    if (!limits || !slot.tuned->readBy || slot.tuned->readBy(*limits))
      place.slots.push_back(slot);
  return place;
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

// What the backup says Reset goes by.
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

// The places of the devices whose MTU and MSS Reset may put back, as the
// backup `backedUp` laid them out. On 9x only bindings the backup recorded
// count: a MaxMTU it could not read is left alone.
std::vector<Place> BackedUpDevicePlaces(Registry& registry,
                                        const BackedUp& backedUp,
                                        StoreOutcome& outcome) {
  const DeviceLayout layout = backedUp.layout;
  std::vector<std::string> names;
  if (layout == kBindings9x) {
    names = RecordedBindings9x(registry, outcome);
  } else if (layout == kBoundAdaptersNT4) {
    names = RecordedAdaptersNT4(registry, outcome);
  } else {
    for (const NetworkDevice& device :
         FindNetworkDevices(registry, outcome, layout))
      names.push_back(device.name);
  }
  std::vector<Place> places;
  for (const std::string& name : names)
    places.push_back(DevicePlace(layout, name));
  if (backedUp.ndisWanMtu) places.push_back(NdisWanPlace());
  return places;
}

// Whether a Protocols\0 that is there describes another protocol than IP:
// its MTU is that protocol's, and Finish leaves the entry alone.
bool PppEntryOfAnotherProtocol(Registry& registry, StoreOutcome& outcome) {
  size_t count = 0;
  const char* protocolType = PppProtocolValues(&count)[0].name;
  StoreKey entry(registry, outcome);
  RegValue type;
  return entry.Open(kHkeyLocalMachine, kPppProtocolKey, kAccessRead) ==
             kRegOk &&
         entry.Read(protocolType, &type) == kRegOk &&
         type != RegValue::Dword(kIpProtocolType);
}

// The devices whose MTU and MSS Finish writes for `connection`, where the
// running Windows reads them. On 9x only bindings the backup recorded
// count. NT 4.0's dial-up adapters have RAS's one MTU instead, where that
// Windows reads one; 2000, XP and 2003 send PPP with PPP's own, never with
// the interfaces' MTU.
std::vector<Place> RunningDevicePlaces(Registry& registry,
                                       WindowsFamily family,
                                       const WindowsLimits& limits,
                                       const SettingsRecord& record,
                                       ApplyOutcome& outcome) {
  const int32_t connection = record.ConnectionType;
  const DeviceLayout layout = DeviceLayoutOf(family, limits);
  std::vector<std::string> recorded;
  if (layout == kBindings9x) recorded = RecordedBindings9x(registry, outcome);
  const bool ppp = limits.readsPppProtocolMtu &&
                   (connection == kDialUp || connection == kDsl);
  std::vector<Place> places;
  bool rasBound = false;
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, layout)) {
    if (!CarriesConnection(device.kind, connection)) continue;
    if (layout == kBindings9x &&
        std::find(recorded.begin(), recorded.end(), device.name) ==
            recorded.end())
      continue;
    if (layout == kBoundAdaptersNT4 && device.kind == kDialUpDevice) {
      rasBound = true;
      continue;
    }
    if (!DeviceMtuIsRead(device.kind, connection, limits)) continue;
    places.push_back(DevicePlace(layout, device.name, &limits));
    const int32_t kAutomaticPacketSize = 576;
    if (layout == kBindings9x && device.kind == kDialUpDevice &&
        record.NewMTU > kAutomaticPacketSize)
      outcome.mtuCappedByDialUp = true;
  }
  if (rasBound && limits.readsNdisWanMtu) places.push_back(NdisWanPlace());
  outcome.mtuNotRead = rasBound && !limits.readsNdisWanMtu;
  if (ppp && !PppEntryOfAnotherProtocol(registry, outcome))
    places.push_back(PppPlace());
  return places;
}

// What the backup says Reset goes by.
BackedUp ReadBackedUp(Registry& registry, WindowsFamily family,
                      StoreOutcome& outcome) {
  BackedUp backedUp;
  backedUp.layout = DeviceLayoutOf(family, WindowsLimits());
  StoreKey backup(registry, outcome);
  if (family == kFamilyNT &&
      backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) == kRegOk) {
    backedUp.icmpRedirectName = BackedUpIcmpRedirectName(backup);
    backedUp.layout = BackedUpDeviceLayout(backup, family);
    RegValue ras;
    backedUp.ndisWanMtu = backedUp.layout == kBoundAdaptersNT4 &&
                          backup.Read(kNdisWanMtuValue, &ras) == kRegOk &&
                          ras.type == kRegSz &&
                          ras.AsText() == kNdisWanService;
  }
  return backedUp;
}

// Every place the Windows of the backup was given, as Finish gave it before
// it kept the names of the values it covers.
std::vector<Place> BackedUpPlaces(Registry& registry, WindowsFamily family,
                                  StoreOutcome& outcome) {
  const BackedUp backedUp = ReadBackedUp(registry, family, outcome);
  std::vector<Place> places{
      TunedPlace(BrowserKey(), backedUp.icmpRedirectName),
      TunedPlace(LocationsOf(family).tcpip, backedUp.icmpRedirectName)};
  for (Place& place : BackedUpDevicePlaces(registry, backedUp, outcome))
    places.push_back(std::move(place));
  return places;
}

// Every place any Windows of the family may have been given, each with
// every value, so that a backup's marks pick out those it covers.
std::vector<Place> EveryPlace(Registry& registry, WindowsFamily family,
                              StoreOutcome& outcome) {
  std::vector<Place> places{TunedPlace(BrowserKey(), kIcmpRedirectsValue)};
  if (family == kFamily9x) {
    places.push_back(TunedPlace(LocationsOf(family).tcpip, ""));
    places.push_back(WindowCapPlace(
        {"GlobalMaxTcpWindoSize", "GlobalMaxTcpWindowSize"}));
    for (const std::string& name : RecordedBindings9x(registry, outcome))
      places.push_back(DevicePlace(kBindings9x, name));
    return places;
  }
  places.push_back(EveryNameTcpipPlace());
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, kInterfacesNT))
    places.push_back(DevicePlace(kInterfacesNT, device.name));
  for (const std::string& name : RecordedAdaptersNT4(registry, outcome))
    places.push_back(DevicePlace(kBoundAdaptersNT4, name));
  places.push_back(NdisWanPlace());
  places.push_back(PppPlace());
  return places;
}

const Place* PlaceAt(const std::vector<Place>& places,
                     const std::string& rootedPath) {
  for (const Place& place : places)
    if (NamesEqual(place.RootedPath(), rootedPath)) return &place;
  return nullptr;
}

bool HasSlotNamed(const Place* place, const std::string& name) {
  return place &&
         std::any_of(place->slots.begin(), place->slots.end(),
                     [&](const ValueSlot& s) {
                       return NamesEqual(s.tuned->name, name);
                     });
}

}  // namespace

std::vector<Place> FinishPlaces(Registry& registry, WindowsFamily family,
                                const WindowsLimits& limits,
                                const SettingsRecord& record,
                                ApplyOutcome& outcome) {
  const std::string icmpRedirectName =
      family == kFamilyNT ? IcmpRedirectName(limits) : "";
  Place tcpip =
      TunedPlace(LocationsOf(family).tcpip, icmpRedirectName, &limits);
  if (family == kFamily9x && !limits.mstcpTakesText) tcpip.type = kRegDword;
  std::vector<Place> places{TunedPlace(BrowserKey(), icmpRedirectName),
                            std::move(tcpip)};
  if (family == kFamily9x && *limits.windowCapName)
    places.push_back(WindowCapPlace({limits.windowCapName}));
  for (Place& place :
       RunningDevicePlaces(registry, family, limits, record, outcome))
    places.push_back(std::move(place));
  return places;
}

std::vector<Place> ResetPlaces(Registry& registry, WindowsFamily family,
                               StoreOutcome& outcome) {
  std::vector<Place> backedUp = BackedUpPlaces(registry, family, outcome);
  StoreKey backup(registry, outcome);
  StoreKey written(registry, outcome);
  if (backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead) != kRegOk ||
      written.Open(backup, kWrittenBackupSubKey, kAccessRead) != kRegOk)
    return backedUp;
  std::vector<Place> places;
  std::vector<Place> every = EveryPlace(registry, family, outcome);
  every.insert(every.end(), backedUp.begin(), backedUp.end());
  for (Place& place : every) {
    RegValue mark;
    if (PlaceAt(places, place.RootedPath()) ||
        written.Read(place.RootedPath(), &mark) != kRegOk)
      continue;
    std::vector<std::string> names;
    const bool named = CoveredNames(mark, &names);
    const Place* given = PlaceAt(backedUp, place.RootedPath());
    std::vector<ValueSlot> covered;
    for (const ValueSlot& slot : place.slots) {
      const bool kept =
          named ? std::any_of(names.begin(), names.end(),
                              [&](const std::string& n) {
                                return NamesEqual(n, slot.tuned->name);
                              })
                : HasSlotNamed(given, slot.tuned->name);
      if (kept) covered.push_back(slot);
    }
    place.slots = covered;
    places.push_back(std::move(place));
  }
  return places;
}

bool IsDevicePlace(const Place& place) { return !place.recreatedByRestore; }

bool CoveredNames(const RegValue& mark, std::vector<std::string>* names) {
  if (mark.type != kRegMultiSz) return false;
  std::string name;
  for (uint8_t c : mark.data) {
    if (c != 0) {
      name += static_cast<char>(c);
    } else if (!name.empty()) {
      names->push_back(name);
      name.clear();
    }
  }
  if (!name.empty()) names->push_back(name);
  return true;
}

RegValue CoverageMark(const std::vector<std::string>& names) {
  RegValue mark;
  mark.type = kRegMultiSz;
  for (const std::string& name : names) {
    mark.data.insert(mark.data.end(), name.begin(), name.end());
    mark.data.push_back(0);
  }
  mark.data.push_back(0);
  return mark;
}

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
  // Finish notes the originals of places a backup did not know yet.
  RegStatus status = access == kAccessReadWrite
                         ? subKey->Create(backup, slot.entrySubKey)
                         : subKey->Open(backup, slot.entrySubKey, access);
  if (status == kRegNotFound) subKey->Fail(StoreFailure::kOpenKey, "", status);
  return status == kRegOk ? subKey : nullptr;
}

}  // namespace velo
