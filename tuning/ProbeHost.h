// Where the MTU search pings by default: the DNS server the connection
// uses, which lies on the far side of the access line.
#pragma once

#include <string>

#include "registry/Registry.h"
#include "store/SettingsRecord.h"

namespace velo {

// The first DNS server this Windows keeps in its TCP/IP settings: typed in,
// else given by DHCP (NT family, for TCP/IP as a whole and then per
// interface). Empty when none is kept or the keys cannot be read.
std::string DnsServerOf(Registry& registry, WindowsFamily family);

}  // namespace velo
