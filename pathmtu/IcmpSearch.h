// One path's MTU search as it runs on Windows: the calls it makes on
// Winsock and ICMP.DLL, and the order they must come in. The calls sit
// behind an interface so that the order can be checked without a Windows
// whose ICMP.DLL refuses to send when Winsock was never started.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tuning/IcmpEcho.h"
#include "tuning/MtuSearch.h"

namespace velo {

// The IP and ICMP headers around a ping's data.
const int32_t kPingHeaders = 28;

class IcmpCalls {
 public:
  virtual ~IcmpCalls() {}

  // WSAStartup and WSACleanup.
  virtual bool StartSockets() = 0;
  virtual void StopSockets() = 0;
  // A name's first IPv4 address in network order; false when not known.
  virtual bool LookUp(const std::string& name, uint32_t* address) = 0;
  // IcmpCreateFile and IcmpCloseHandle.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // The MTU of the adapter the pings towards `address` leave by.
  virtual int32_t OwnMtuTowards(uint32_t address) = 0;
  // One don't-fragment IcmpSendEcho of `dataBytes` of `data`; `tookMs`:
  // from sending to the call's return.
  virtual IcmpEchoCall Send(uint32_t address, const char* data,
                            int32_t dataBytes, uint32_t waitMs,
                            uint32_t* tookMs) = 0;
};

// "a.b.c.d" in network order; false when `text` is not one.
bool DottedAddress(const std::string& text, uint32_t* address);

// Searches the path towards `host` (a name or a dotted address); `goOn` as
// in FindMtu.
MtuSearchResult SearchOverIcmp(IcmpCalls& icmp, const std::string& host,
                               const std::function<bool(int32_t size)>& goOn);

}  // namespace velo
