#include "store/NetworkDevices.h"

#include <algorithm>
#include <cctype>

namespace velo {

namespace {

bool StartsWithAnyCase(const std::string& text, const std::string& start) {
  if (text.size() < start.size()) return false;
  for (size_t i = 0; i < start.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(start[i])))
      return false;
  return true;
}

bool SameAnyCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithAnyCase(a, b);
}

std::vector<std::string> SubKeysOf(Registry& registry, StoreOutcome& outcome,
                                   const std::string& path) {
  std::vector<std::string> names;
  StoreKey key(registry, outcome);
  if (key.Open(kHkeyLocalMachine, path, kAccessRead) == kRegOk)
    key.SubKeyNames(&names);
  return names;
}

bool KeyOpens(Registry& registry, StoreOutcome& outcome,
              const std::string& path) {
  StoreKey key(registry, outcome);
  return key.Open(kHkeyLocalMachine, path, kAccessRead) == kRegOk;
}

std::string TextOf(const StoreKey& key, const char* name) {
  RegValue value;
  return key.Read(name, &value) == kRegOk && IsStringType(value.type)
             ? value.AsText()
             : std::string();
}

// A DWORD value; false when it is absent or of another form.
bool NumberOf(const StoreKey& key, const char* name, uint32_t* number) {
  RegValue value;
  if (key.Read(name, &value) != kRegOk || value.type != kRegDword ||
      value.data.size() != 4)
    return false;
  *number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
            static_cast<uint32_t>(value.data[3]) << 24;
  return true;
}

// ---- 9x: the TCP/IP binding of each adapter.

std::string LastCharacters(const std::string& text) {
  return text.size() < kInstanceNameLength
             ? text
             : text.substr(text.size() - kInstanceNameLength);
}

// Hops from an adapter to its TCP/IP binding: the adapter's first MSTCP
// binding, that instance's NetTrans driver. Empty when a hop is missing.
std::string TcpipBinding9x(Registry& registry, StoreOutcome& outcome,
                           const std::string& adapterPath) {
  StoreKey bindings(registry, outcome);
  if (bindings.Open(kHkeyLocalMachine,
                    JoinKeyPath(adapterPath, kAdapterBindingsSubKey),
                    kAccessRead) != kRegOk)
    return "";
  std::vector<std::string> names;
  bindings.ValueNames(&names);
  auto mstcp =
      std::find_if(names.begin(), names.end(), [](const std::string& n) {
        return n.find(kMstcpMarker) != std::string::npos;
      });
  if (mstcp == names.end()) return "";
  StoreKey instance(registry, outcome);
  RegValue driver;
  if (instance.Open(kHkeyLocalMachine,
                    JoinKeyPath(kMstcpInstancesKey, LastCharacters(*mstcp)),
                    kAccessRead) != kRegOk ||
      instance.Read(kMstcpDriverValue, &driver) != kRegOk)
    return "";
  std::string text = driver.AsText();
  if (text.find(kNetTransMarker) == std::string::npos) return "";
  return LastCharacters(text);
}

// Whether the adapter at `adapterPath` is the Dial-Up Adapter or the VPN
// adapter, by the ids Windows gave it; one id list that cannot be read
// leaves the other to tell.
bool IsDialUpAdapter9x(Registry& registry, StoreOutcome& outcome,
                       const std::string& adapterPath) {
  StoreKey adapter(registry, outcome);
  if (adapter.Open(kHkeyLocalMachine, adapterPath, kAccessRead) != kRegOk)
    return false;
  for (const char* list : {kHardwareIdValue, kCompatibleIdsValue}) {
    const std::string ids = TextOf(adapter, list);
    for (size_t start = 0; start <= ids.size();) {
      size_t end = ids.find(',', start);
      if (end == std::string::npos) end = ids.size();
      const std::string id = ids.substr(start, end - start);
      if (SameAnyCase(id, kDialUpAdapterId) || SameAnyCase(id, kVpnAdapterId))
        return true;
      start = end + 1;
    }
  }
  return false;
}

// Every device under Enum (bus, device, instance) bound to TCP/IP, whatever
// bus it is on: network cards sit on PCI or ISA, the Dial-Up Adapter under
// Root\Net.
std::vector<NetworkDevice> Bindings9x(Registry& registry,
                                      StoreOutcome& outcome) {
  std::vector<NetworkDevice> cards, dialUp;
  std::vector<std::string> seen;
  for (const std::string& bus : SubKeysOf(registry, outcome, kDevicesKey)) {
    const std::string busPath = JoinKeyPath(kDevicesKey, bus);
    for (const std::string& device : SubKeysOf(registry, outcome, busPath)) {
      const std::string devicePath = JoinKeyPath(busPath, device);
      for (const std::string& instance :
           SubKeysOf(registry, outcome, devicePath)) {
        const std::string adapter = JoinKeyPath(devicePath, instance);
        std::string binding = TcpipBinding9x(registry, outcome, adapter);
        if (binding.empty() ||
            std::find(seen.begin(), seen.end(), binding) != seen.end() ||
            !KeyOpens(registry, outcome, DeviceKeyPath(kBindings9x, binding)))
          continue;
        seen.push_back(binding);
        if (IsDialUpAdapter9x(registry, outcome, adapter))
          dialUp.push_back(NetworkDevice{binding, kDialUpDevice});
        else
          cards.push_back(NetworkDevice{binding, kNetworkCard});
      }
    }
  }
  cards.insert(cards.end(), dialUp.begin(), dialUp.end());
  return cards;
}

// ---- 2000, XP, 2003: interfaces told apart by their adapters.

// What an adapter's class key says it is.
DeviceKind AdapterKind(const StoreKey& adapter) {
  const char* const kWanMiniports[] = {"ms_ndiswan", "ms_pppoe", "ms_pptp",
                                       "ms_l2tp", "ms_pti"};
  for (const char* id : {kComponentIdValue, kMatchingDeviceIdValue}) {
    const std::string text = TextOf(adapter, id);
    for (const char* wan : kWanMiniports)
      if (StartsWithAnyCase(text, wan)) return kDialUpDevice;
  }
  const uint32_t kPpp = 23, kEthernet = 6, kWireless = 71;
  uint32_t type = 0;
  if (NumberOf(adapter, kInterfaceTypeValue, &type)) {
    if (type == kPpp) return kDialUpDevice;
    if (type == kEthernet || type == kWireless) return kNetworkCard;
  }
  const uint32_t kPhysical = 0x4;  // NCF_PHYSICAL
  uint32_t characteristics = 0;
  if (NumberOf(adapter, kCharacteristicsValue, &characteristics) &&
      (characteristics & kPhysical))
    return kNetworkCard;
  return kDeviceOfUnknownKind;
}

// An adapter's subkey of the class key is its four-digit instance number;
// the class's own Properties beside them answer to the system alone.
bool IsInstanceNumber(const std::string& name) {
  return name.size() == 4 &&
         std::all_of(name.begin(), name.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) != 0;
         });
}

// The kind of the adapter whose NetCfgInstanceId is `guid`.
DeviceKind InterfaceKind(Registry& registry, StoreOutcome& outcome,
                         const std::string& guid) {
  for (const std::string& name :
       SubKeysOf(registry, outcome, kNetworkClassKey)) {
    if (!IsInstanceNumber(name)) continue;
    StoreKey adapter(registry, outcome);
    if (adapter.Open(kHkeyLocalMachine, JoinKeyPath(kNetworkClassKey, name),
                     kAccessRead) == kRegOk &&
        SameAnyCase(TextOf(adapter, kNetCfgInstanceIdValue), guid))
      return AdapterKind(adapter);
  }
  return kDeviceOfUnknownKind;
}

std::vector<NetworkDevice> InterfacesNT(Registry& registry,
                                        StoreOutcome& outcome) {
  std::vector<NetworkDevice> devices;
  for (const std::string& name : SubKeysOf(
           registry, outcome, LocationsOf(kFamilyNT).deviceParent)) {
    if (KeyOpens(registry, outcome, DeviceKeyPath(kInterfacesNT, name)))
      devices.push_back(
          NetworkDevice{name, InterfaceKind(registry, outcome, name)});
  }
  return devices;
}

// ---- NT 4.0: the adapters bound to TCP/IP.

std::vector<NetworkDevice> BoundAdaptersNT4(Registry& registry,
                                            StoreOutcome& outcome) {
  std::vector<NetworkDevice> devices;
  StoreKey linkage(registry, outcome);
  RegValue bind;
  if (linkage.Open(kHkeyLocalMachine, kTcpipLinkageKey, kAccessRead) !=
          kRegOk ||
      linkage.Read(kTcpipBindValue, &bind) != kRegOk ||
      !IsStringType(bind.type))
    return devices;
  const std::string list(bind.data.begin(), bind.data.end());
  const std::string prefix = kBoundDevicePrefix;
  for (size_t start = 0; start < list.size();) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    const std::string entry = list.substr(start, end - start);
    start = end + 1;
    if (!StartsWithAnyCase(entry, prefix) || entry.size() == prefix.size())
      continue;
    const std::string name = entry.substr(prefix.size());
    const bool seen = std::any_of(
        devices.begin(), devices.end(),
        [&](const NetworkDevice& d) { return SameAnyCase(d.name, name); });
    if (seen || name.find('\\') != std::string::npos ||
        !KeyOpens(registry, outcome, DeviceKeyPath(kBoundAdaptersNT4, name)))
      continue;
    devices.push_back(NetworkDevice{
        name, StartsWithAnyCase(name, kNdisWanAdapter) ? kDialUpDevice
                                                       : kNetworkCard});
  }
  return devices;
}

}  // namespace

std::vector<NetworkDevice> FindNetworkDevices(Registry& registry,
                                              StoreOutcome& outcome,
                                              DeviceLayout layout) {
  switch (layout) {
    case kBindings9x:
      return Bindings9x(registry, outcome);
    case kBoundAdaptersNT4:
      return BoundAdaptersNT4(registry, outcome);
    case kInterfacesNT:
      break;
  }
  return InterfacesNT(registry, outcome);
}

bool CarriesConnection(DeviceKind kind, int32_t connection) {
  if (kind == kDeviceOfUnknownKind) return true;
  if (connection == kDialUp) return kind == kDialUpDevice;
  if (connection == kDsl) return true;
  return kind == kNetworkCard;
}

bool DeviceMtuIsRead(DeviceKind kind, int32_t connection,
                     const WindowsLimits& limits) {
  if (limits.keepsMtuPerBoundAdapter && kind == kDialUpDevice) return false;
  return !limits.readsPppProtocolMtu ||
         (connection != kDialUp && kind != kDialUpDevice);
}

}  // namespace velo
