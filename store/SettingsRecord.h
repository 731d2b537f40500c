// The values one wizard run works on: what the registry held when the wizard
// opened, what the pages recommend, and what Finish will write.
#pragma once

#include <cstdint>

namespace velo {

// The two families of Windows the program supports; they keep their TCP/IP
// values in different places and forms.
enum WindowsFamily {
  kFamily9x = 0,  // Windows 95, 98, Me: decimal text under VxD\MSTCP
  kFamilyNT = 1,  // NT 4.0, 2000, XP, Server 2003: DWORDs under Tcpip
};

// The largest TCP receive window a stack with window scaling takes, and the
// largest one without it (NT 4.0, and 95 without the Winsock 2 update).
const int32_t kLargestScaledReceiveWindow = 1073741823;
const int32_t kLargestUnscaledReceiveWindow = 65535;

// What the running Windows takes and reads of the values the wizard tunes,
// where the releases of one family differ.
struct WindowsLimits {
  int32_t largestReceiveWindow = kLargestScaledReceiveWindow;
  // The largest window the wizard proposes: 65,535 on 95/98/Me too, whose
  // stacks, forced into window scaling, stall connections (a zero window
  // opened only by a probe a minute later, or resets from servers), while
  // the links of their time are filled by far less.
  int32_t largestRecommendedReceiveWindow = kLargestScaledReceiveWindow;
  // The strongest SYN attack protection level the wizard offers, and
  // recommends: Server 2003 knows levels 0 and 1 only; 2000 before Service
  // Pack 4 is offered those too, for its level 2 keeps the receive window
  // the wizard sets from applying and clears Don't Fragment on every
  // packet, defeating the path MTU discovery the wizard turns on.
  int32_t strongestSynAttackProtect = 2;
  // The level the system runs at where the value is absent: 1 on Server
  // 2003 from Service Pack 1, 0 before it and everywhere else.
  int32_t defaultSynAttackProtect = 0;
  // 2000, XP and Server 2003 read the singular name of the ICMP redirect
  // value, NT 4.0 the plural one.
  bool readsSingularIcmpRedirect = false;
  // NT 4.0 has no interface keys: it reads the MTU of each adapter bound to
  // TCP/IP from that adapter's own TCP/IP parameters.
  bool keepsMtuPerBoundAdapter = false;
  // NT 4.0's RAS sends with a fixed MTU of 1500 before Service Pack 4, and
  // from it reads one MTU for every dial-up connection in NdisWan's own
  // parameters, never the NdisWan adapters' TCP/IP ones.
  bool readsNdisWanMtu = false;
  // NT 4.0 reads whether ICMP redirects are followed only from Service
  // Pack 5.
  bool readsIcmpRedirects = true;
  // 2000, XP and Server 2003 send every PPP connection (a modem, ISDN, a
  // cable between two computers, their own PPPoE) with one MTU, 1500 unless
  // NdisWan's Protocols\0 gives another; the interfaces' MTU is not used.
  bool readsPppProtocolMtu = false;
  // Where 95/98/Me read the largest receive window: a DWORD under
  // VxD\MSTCP\Parameters, named with the misspelling 98's TCP/IP reads;
  // "" where none is read (95).
  const char* windowCapName = "";
  // 95 without the Winsock 2 update reads VxD\MSTCP's values as DWORDs;
  // 98, Me and a 95 with the update read them as decimal text.
  bool mstcpTakesText = true;
  // Window scaling and selective acknowledgements: NT 4.0 has neither, nor
  // has 95 without the Winsock 2 update.
  bool readsScalingOptions = true;
};

// How the computer is connected (the wizard's first question).
enum ConnectionKind {
  kDialUp = 0,
  kDsl = 1,
  kLan = 2,
  kCableModem = 3,
};
const int kConnectionKinds = 4;

struct SettingsRecord {
  // What Finish writes.
  int32_t NewPMTUDiscovery = 0;
  int32_t NewPMTUBlackHoleDetect = 0;
  int32_t NewEnableICMPRedirects = 0;
  int32_t NewMTU = 0;
  int32_t NewMSS = 0;
  int32_t NewRWIN = 0;
  int32_t NewTTL = 0;
  int32_t NewKeepAliveTime = 0;
  int32_t NewKeepAliveInterval = 0;
  int32_t NewSYNAttackProtect = 0;
  int32_t NewMaxConnectionsPer1_0Server = 0;
  int32_t NewMaxConnectionsPerServer = 0;

  // What the pages offer as the recommended setting.
  int32_t RecommendedMTU = 0;
  int32_t RecommendedMSS = 0;
  int32_t RecommendedRWIN = 0;
  int32_t RecommendedTTL = 0;
  int32_t RecommendedKeepAliveTime = 0;
  int32_t RecommendedKeepAliveInterval = 0;
  int32_t RecommendedSYNAttackProtect = 0;
  int32_t RecommendedMaxConnectionsPer1_0Server = 0;
  int32_t RecommendedMaxConnectionsPerServer = 0;

  // What the registry held when the wizard opened; each is meaningful only
  // while its flag in FoundFlags is 1.
  int32_t OriginalPMTUDiscovery = 0;
  int32_t OriginalPMTUBlackHoleDetect = 0;
  int32_t OriginalEnableICMPRedirects = 0;
  int32_t OriginalMTU = 0;
  int32_t OriginalMSS = 0;
  int32_t OriginalRWIN = 0;
  int32_t OriginalTTL = 0;
  int32_t OriginalKeepAliveTime = 0;
  int32_t OriginalKeepAliveInterval = 0;
  int32_t OriginalSYNAttackProtect = 0;
  int32_t OriginalMaxConnectionsPer1_0Server = 0;
  int32_t OriginalMaxConnectionsPerServer = 0;

  // The answer of the wizard's first step (ConnectionKind).
  int32_t ConnectionType = kDialUp;

  // The MTU each connection type (by ConnectionKind) went out with when the
  // wizard opened, meaningful as FoundFlags::MTUOfConnection says; the MTU
  // step shows the chosen one's as OriginalMTU.
  int32_t OriginalMTUOfConnection[kConnectionKinds] = {};
};

// How the backup found the MTU of a connection type.
enum ConnectionMtuFound {
  kConnectionMtuNotFound = 0,
  kConnectionMtuSet = 1,          // a value in the registry
  kConnectionMtuFixedByWindows = 2,  // none is read, or none is there:
                                     // Windows sends with its fixed 1500
};

// Set to 1 by the backup for each value it found in the registry; the pages
// show "isn't set." for the others.
struct FoundFlags {
  int32_t MTUFound = 0;
  int32_t MSSFound = 0;
  int32_t PMTUDiscoveryFound = 0;
  int32_t PMTUBlackHoleDetectFound = 0;
  int32_t RWINFound = 0;
  int32_t TTLFound = 0;
  int32_t MaxConnectionsPer1_0ServerFound = 0;
  int32_t MaxConnectionsPerServerFound = 0;
  int32_t KeepAliveTimeFound = 0;
  int32_t KeepAliveIntervalFound = 0;
  int32_t SYNAttackProtectFound = 0;
  int32_t EnableICMPRedirectsFound = 0;
  // A ConnectionMtuFound per connection type.
  int32_t MTUOfConnection[kConnectionKinds] = {};
};

}  // namespace velo
