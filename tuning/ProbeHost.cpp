#include "tuning/ProbeHost.h"

#include <vector>

#include "registry/RegKey.h"
#include "store/NetworkDevices.h"
#include "store/RegistryLocations.h"
#include "store/StoreOutcome.h"

namespace velo {

namespace {

// The entries of a list that Windows separates by blanks, commas or, in a
// REG_MULTI_SZ, NULs.
std::vector<std::string> Entries(const RegValue& value) {
  std::vector<std::string> entries;
  std::string entry;
  for (uint8_t byte : value.data) {
    if (byte == ' ' || byte == ',' || byte == 0) {
      if (!entry.empty()) entries.push_back(entry);
      entry.clear();
    } else {
      entry += static_cast<char>(byte);
    }
  }
  if (!entry.empty()) entries.push_back(entry);
  return entries;
}

std::vector<std::string> Read(const RegKey& key, const char* name) {
  RegValue value;
  if (key.Read(name, &value) != kRegOk || !IsStringType(value.type)) return {};
  return Entries(value);
}

std::string FirstServer(Registry& registry, const std::string& path) {
  RegKey key(registry);
  if (key.Open(kHkeyLocalMachine, path, kAccessRead) != kRegOk) return "";
  for (const char* name : {"NameServer", "DhcpNameServer"}) {
    const std::vector<std::string> servers = Read(key, name);
    if (!servers.empty()) return servers.front();
  }
  return "";
}

// "a.b.c.d" as a number; false when `text` is not one.
bool Dotted(const std::string& text, uint32_t* address) {
  uint32_t number = 0, part = 0;
  int parts = 0, digits = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : '.';
    if (c == '.') {
      if (digits == 0 || part > 255 || ++parts > 4) return false;
      number = number << 8 | part;
      part = 0;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 3) {
      part = part * 10 + uint32_t(c - '0');
      ++digits;
    } else {
      return false;
    }
  }
  *address = number;
  return parts == 4;
}

bool InNet(uint32_t address, uint32_t net, uint32_t mask) {
  return (address & mask) == (net & mask);
}

bool PrivateOrLocal(uint32_t address) {
  return InNet(address, 0x0A000000, 0xFF000000) ||  // 10/8
         InNet(address, 0xAC100000, 0xFFF00000) ||  // 172.16/12
         InNet(address, 0xC0A80000, 0xFFFF0000) ||  // 192.168/16
         InNet(address, 0xA9FE0000, 0xFFFF0000) ||  // link-local
         InNet(address, 0x7F000000, 0xFF000000);    // loopback
}

// Whether `address` is in the subnet of an address and mask pair kept
// under `key` (by their value names).
bool InSubnetOf(const RegKey& key, const char* addresses, const char* masks,
                uint32_t address) {
  const std::vector<std::string> own = Read(key, addresses);
  const std::vector<std::string> mask = Read(key, masks);
  for (size_t i = 0; i < own.size() && i < mask.size(); ++i) {
    uint32_t net = 0, bits = 0;
    if (Dotted(own[i], &net) && Dotted(mask[i], &bits) && net != 0 &&
        bits != 0 && InNet(address, net, bits))
      return true;
  }
  return false;
}

// The keys of this computer's TCP/IP devices, where their addresses are
// kept: the NT family's interfaces (and NT 4.0's bound adapters), the 9x
// family's bindings.
std::vector<std::string> DeviceKeys(Registry& registry, WindowsFamily family) {
  std::vector<std::string> keys;
  const char* parent = LocationsOf(family).deviceParent;
  RegKey devices(registry);
  std::string name;
  if (devices.Open(kHkeyLocalMachine, parent, kAccessRead) == kRegOk)
    for (uint32_t i = 0; devices.SubKeyName(i, &name) == kRegOk; ++i)
      keys.push_back(JoinKeyPath(parent, name));
  if (family == kFamilyNT) {
    StoreOutcome outcome;
    for (const NetworkDevice& device :
         FindNetworkDevices(registry, outcome, kBoundAdaptersNT4))
      keys.push_back(DeviceKeyPath(kBoundAdaptersNT4, device.name));
  }
  return keys;
}

bool InOwnSubnet(Registry& registry, WindowsFamily family, uint32_t address) {
  for (const std::string& path : DeviceKeys(registry, family)) {
    RegKey device(registry);
    if (device.Open(kHkeyLocalMachine, path, kAccessRead) != kRegOk) continue;
    if (InSubnetOf(device, "IPAddress", "SubnetMask", address) ||
        InSubnetOf(device, "DhcpIPAddress", "DhcpSubnetMask", address) ||
        InSubnetOf(device, "IPAddress", "IPMask", address))
      return true;
  }
  return false;
}

std::string DnsServerOf(Registry& registry, WindowsFamily family,
                        int32_t connection) {
  const FamilyLocations& places = LocationsOf(family);
  const std::string server = FirstServer(registry, places.tcpip.path);
  if (!server.empty() || family != kFamilyNT) return server;
  StoreOutcome outcome;
  for (const NetworkDevice& device :
       FindNetworkDevices(registry, outcome, kInterfacesNT)) {
    if (!CarriesConnection(device.kind, connection)) continue;
    const std::string own = FirstServer(
        registry, JoinKeyPath(places.deviceParent, device.name));
    if (!own.empty()) return own;
  }
  return "";
}

}  // namespace

ProbeHost DefaultProbeHost(Registry& registry, WindowsFamily family,
                           int32_t connection) {
  ProbeHost probe;
  probe.host = DnsServerOf(registry, family, connection);
  uint32_t address = 0;
  probe.onOwnNetwork =
      Dotted(probe.host, &address) &&
      (PrivateOrLocal(address) || InOwnSubnet(registry, family, address));
  return probe;
}

}  // namespace velo
