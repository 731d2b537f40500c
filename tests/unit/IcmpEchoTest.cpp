#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tuning/IcmpEcho.h"

namespace velo {
namespace {

// Each way an IcmpSendEcho call of the supported Windows can come back, as
// a fake ICMP.DLL would give it: the call's result, the first reply's
// status, the thread's last error.
TEST(IcmpEcho, EachStatusIsReadForWhatItSays) {
  const struct {
    const char* what;
    IcmpEchoCall call;
    ProbeAnswer answer;
  } kCalls[] = {
      {"an echo", {1, kIpSuccess, 0}, kProbeEchoed},
      {"no reply and no error", {0, kIpSuccess, kIpSuccess}, kProbeFailed},
      {"too big, in the reply", {1, kIpPacketTooBig, 0}, kProbeTooBig},
      {"too big, as the call's error", {0, 0, kIpPacketTooBig}, kProbeTooBig},
      {"timed out, as the call's error", {0, 0, kIpReqTimedOut},
       kProbeNoAnswer},
      {"timed out, in the reply", {1, kIpReqTimedOut, 0}, kProbeNoAnswer},
      {"host unreachable", {1, kIpDestHostUnreachable, 0}, kProbeUnreachable},
      {"net unreachable", {0, 0, kIpDestNetUnreachable}, kProbeUnreachable},
      {"protocol unreachable", {1, kIpDestProtUnreachable, 0},
       kProbeUnreachable},
      {"port unreachable", {1, kIpDestPortUnreachable, 0}, kProbeUnreachable},
      {"bad route", {0, 0, kIpBadRoute}, kProbeUnreachable},
      {"bad destination", {0, 0, kIpBadDestination}, kProbeUnreachable},
      {"Winsock: host unreachable", {0, 0, kWsaHostUnreachable},
       kProbeUnreachable},
      {"Winsock: network unreachable", {0, 0, kWsaNetUnreachable},
       kProbeUnreachable},
      {"TTL expired on the way", {1, kIpTtlExpiredTransit, 0},
       kProbeTtlExpired},
      {"TTL expired in reassembly", {1, kIpTtlExpiredReassem, 0},
       kProbeTtlExpired},
      {"no resources", {0, 0, kIpNoResources}, kProbeNoResources},
      {"reply buffer too small", {0, 0, kIpBufTooSmall}, kProbeNoResources},
      {"general failure", {0, 0, kIpGeneralFailure}, kProbeFailed},
      {"Winsock not started (KB 170591)", {0, 0, 10091}, kProbeFailed},
      {"an error no table knows", {0, 0, 87}, kProbeFailed},
      // The reply's status counts, not an error left from before.
      {"an echo after an old error", {1, kIpSuccess, kIpReqTimedOut},
       kProbeEchoed},
  };
  for (const auto& c : kCalls)
    EXPECT_EQ(c.answer, AnswerOf(c.call)) << c.what;
}

// A modem's compression finds repeated strings; the fill has no string of
// four bytes twice in the largest ping there is.
TEST(IcmpEcho, TheFillHasNothingACompressorCouldShorten) {
  const size_t largest = 17914 - 28;
  const std::vector<char> fill = IncompressibleFill(largest);
  ASSERT_EQ(largest, fill.size());
  std::set<std::string> seen;
  for (size_t i = 0; i + 4 <= fill.size(); ++i)
    EXPECT_TRUE(seen.insert(std::string(&fill[i], 4)).second)
        << "repeated at " << i;
  // Shorter fills are the start of the same bytes: every size carries the
  // same kind of data.
  const std::vector<char> shorter = IncompressibleFill(540);
  EXPECT_TRUE(std::equal(shorter.begin(), shorter.end(), fill.begin()));
}

}  // namespace
}  // namespace velo
