#include "tuning/IcmpEcho.h"

namespace velo {

ProbeAnswer AnswerOf(const IcmpEchoCall& call) {
  const uint32_t status = call.replies ? call.replyStatus : call.lastError;
  switch (status) {
    case kIpSuccess:
      return call.replies ? kProbeEchoed : kProbeFailed;
    case kIpPacketTooBig:
      return kProbeTooBig;
    case kIpReqTimedOut:
      return kProbeNoAnswer;
    case kIpDestNetUnreachable:
    case kIpDestHostUnreachable:
    case kIpDestProtUnreachable:
    case kIpDestPortUnreachable:
    case kIpBadRoute:
    case kIpBadDestination:
    case kWsaNetUnreachable:
    case kWsaHostUnreachable:
      return kProbeUnreachable;
    case kIpTtlExpiredTransit:
    case kIpTtlExpiredReassem:
      return kProbeTtlExpired;
    case kIpNoResources:
    case kIpBufTooSmall:
      return kProbeNoResources;
    default:
      return kProbeFailed;
  }
}

std::vector<char> IncompressibleFill(size_t bytes) {
  // A fixed xorshift sequence: no string of bytes comes back within a ping.
  std::vector<char> fill(bytes);
  uint32_t state = 0x9E3779B9u;
  for (char& byte : fill) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<char>(state >> 24);
  }
  return fill;
}

}  // namespace velo
