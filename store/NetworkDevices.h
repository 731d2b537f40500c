// The network devices that keep an MTU and MSS of their own, each told a
// network card or a dial-up (WAN) device where the registry says which.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

namespace velo {

enum DeviceKind {
  kDeviceOfUnknownKind,
  kNetworkCard,   // a network card, or any adapter that is not dial-up
  kDialUpDevice,  // a modem's or another WAN miniport's connection
};

struct NetworkDevice {
  std::string name;  // names its entries in the backup's MTU and MSS Settings
  DeviceKind kind;
};

// Every device of `layout` whose key is there now, in the registry's order;
// in the 9x family the dial-up adapter's binding comes last.
std::vector<NetworkDevice> FindNetworkDevices(Registry& registry,
                                              StoreOutcome& outcome,
                                              DeviceLayout layout);

// Whether the MTU of a device of `kind` is the one `connection` (a
// ConnectionKind) goes through. A dial-up connection goes through the
// dial-up devices, LAN and cable through the network cards, DSL through
// both (PPPoE runs through a WAN adapter or the Dial-Up Adapter over the
// card). A device of unknown kind may carry anything.
bool CarriesConnection(DeviceKind kind, int32_t connection);

// Whether the running Windows sends `connection` with the MTU of a device of
// `kind` that carries it: 2000, XP and 2003 send every PPP connection with
// PPP's own MTU, and NT 4.0's dial-up adapters go by RAS's.
bool DeviceMtuIsRead(DeviceKind kind, int32_t connection,
                     const WindowsLimits& limits);

}  // namespace velo
