// What one IcmpSendEcho call says, read for the MTU search, and what its
// pings carry. Kept apart from ICMP.DLL itself so that every status is
// read the same way on any Windows and can be checked without one.
#pragma once

#include <cstdint>
#include <vector>

#include "tuning/MtuSearch.h"

namespace velo {

// The statuses of ipexport.h that the search tells apart.
enum IcmpStatus : uint32_t {
  kIpSuccess = 0,
  kIpBufTooSmall = 11001,
  kIpDestNetUnreachable = 11002,
  kIpDestHostUnreachable = 11003,
  kIpDestProtUnreachable = 11004,
  kIpDestPortUnreachable = 11005,
  kIpNoResources = 11006,
  kIpPacketTooBig = 11009,
  kIpReqTimedOut = 11010,
  kIpBadRoute = 11012,
  kIpTtlExpiredTransit = 11013,
  kIpTtlExpiredReassem = 11014,
  kIpBadDestination = 11018,
  kIpGeneralFailure = 11050,
};
// Winsock's words for the same, from stacks that give the call's error.
const uint32_t kWsaNetUnreachable = 10051;
const uint32_t kWsaHostUnreachable = 10065;

struct IcmpEchoCall {
  uint32_t replies;      // what the call returned
  uint32_t replyStatus;  // the first reply's status, when there is one
  uint32_t lastError;    // GetLastError() right after the call
};

// Some stacks report a router's answer as the call's error rather than in
// a reply; an echo counts only with a reply in hand.
ProbeAnswer AnswerOf(const IcmpEchoCall& call);

// A ping's data: bytes without the repeats a modem's compression would
// shrink, so that the line carries as many as the size says.
std::vector<char> IncompressibleFill(size_t bytes);

}  // namespace velo
