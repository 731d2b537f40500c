#include "pathmtu/IcmpSearch.h"

#include <cstring>
#include <vector>

namespace velo {

namespace {

// With Winsock started: the host's address, then the pings.
MtuSearchResult SearchWithSockets(
    IcmpCalls& icmp, const std::string& host,
    const std::function<bool(int32_t size)>& goOn) {
  uint32_t address = 0;
  if (!DottedAddress(host, &address) && !icmp.LookUp(host, &address))
    return {kMtuHostUnknown, 0, 0};
  if (!icmp.Open()) return {kMtuCannotPing, 0, 0};
  const int32_t ceiling = icmp.OwnMtuTowards(address);
  const std::vector<char> data =
      IncompressibleFill(size_t(ceiling + 1 - kPingHeaders));
  const auto probe = [&](int32_t size, uint32_t waitMs) {
    uint32_t tookMs = 0;
    const IcmpEchoCall call =
        icmp.Send(address, data.data(), size - kPingHeaders, waitMs, &tookMs);
    return ProbeReply{AnswerOf(call), tookMs};
  };
  const MtuSearchResult result = FindMtu(probe, ceiling, goOn);
  icmp.Close();
  return result;
}

}  // namespace

bool DottedAddress(const std::string& text, uint32_t* address) {
  uint32_t parts[4] = {0, 0, 0, 0};
  size_t part = 0, digits = 0;
  for (char c : text) {
    if (c == '.' && digits > 0 && part < 3) {
      ++part;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 3) {
      parts[part] = parts[part] * 10 + (c - '0');
      if (parts[part] > 255) return false;
      ++digits;
    } else {
      return false;
    }
  }
  if (part != 3 || digits == 0) return false;
  const uint8_t bytes[4] = {uint8_t(parts[0]), uint8_t(parts[1]),
                            uint8_t(parts[2]), uint8_t(parts[3])};
  std::memcpy(address, bytes, sizeof bytes);
  return true;
}

MtuSearchResult SearchOverIcmp(IcmpCalls& icmp, const std::string& host,
                               const std::function<bool(int32_t size)>& goOn) {
  // ICMP.DLL of the older Windows sends nothing (error 10091) unless the
  // process has started Winsock (KB 170591): it is started before any call
  // of the DLL and kept until the last one has returned.
  if (!icmp.StartSockets()) return {kMtuCannotPing, 0, 0};
  const MtuSearchResult result = SearchWithSockets(icmp, host, goOn);
  icmp.StopSockets();
  return result;
}

}  // namespace velo
