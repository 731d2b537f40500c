// Where the MTU search pings by default: the DNS server the connection
// uses, which lies on the far side of the access line, unless it is the
// router on this computer's own network.
#pragma once

#include <cstdint>
#include <string>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"

namespace velo {

struct ProbeHost {
  // The first DNS server kept; empty when none is kept or the keys cannot
  // be read.
  std::string host;
  // It lies on this side of the line: in a private range (10/8, 172.16/12,
  // 192.168/16), on a link-local or loopback address, or in the subnet of
  // an address this computer's TCP/IP keeps.
  bool onOwnNetwork = false;
};

// The DNS server of `connection` (a ConnectionKind): typed in, else given by
// DHCP; in the NT family for TCP/IP as a whole and then for the interfaces
// that carry the connection, in the registry's order.
ProbeHost DefaultProbeHost(Registry& registry, WindowsFamily family,
                           int32_t connection);

}  // namespace velo
