#include "tuning/ProbeHost.h"

#include "registry/RegKey.h"
#include "store/RegistryLocations.h"

namespace velo {

namespace {

// The first entry of a list that Windows separates by blanks or commas.
std::string FirstServer(Registry& registry, RegHandle root,
                        const std::string& path) {
  RegKey key(registry);
  if (key.Open(root, path, kAccessRead) != kRegOk) return "";
  for (const char* name : {"NameServer", "DhcpNameServer"}) {
    RegValue value;
    if (key.Read(name, &value) != kRegOk || !IsStringType(value.type))
      continue;
    const std::string list = value.AsText();
    const size_t start = list.find_first_not_of(" ,");
    if (start == std::string::npos) continue;
    return list.substr(start, list.find_first_of(" ,", start) - start);
  }
  return "";
}

}  // namespace

std::string DnsServerOf(Registry& registry, WindowsFamily family) {
  const FamilyLocations& places = LocationsOf(family);
  std::string server =
      FirstServer(registry, places.tcpip.root, places.tcpip.path);
  if (!server.empty() || family != kFamilyNT) return server;
  RegKey interfaces(registry);
  if (interfaces.Open(kHkeyLocalMachine, places.deviceParent, kAccessRead) !=
      kRegOk)
    return "";
  std::string name;
  for (uint32_t i = 0;
       server.empty() && interfaces.SubKeyName(i, &name) == kRegOk; ++i)
    server = FirstServer(registry, kHkeyLocalMachine,
                         JoinKeyPath(places.deviceParent, name));
  return server;
}

}  // namespace velo
