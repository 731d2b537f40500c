#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "pathmtu/IcmpSearch.h"
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

// Winsock and ICMP.DLL as the older Windows have them: a ping sent while
// Winsock is not started fails with 10091, and so does a name's lookup.
// Every call is written down in order.
class OlderWindowsIcmp : public IcmpCalls {
 public:
  bool startFails = false;
  bool openFails = false;
  int32_t pathMtu = 1492;
  std::string calls;  // "WSAStartup, IcmpCreateFile, ..."
  std::vector<uint32_t> sentTo;
  std::vector<int32_t> sentBytes;
  bool dataIsTheFill = true;

  bool StartSockets() override {
    Call("WSAStartup");
    started_ = !startFails;
    return started_;
  }
  void StopSockets() override {
    Call("WSACleanup");
    started_ = false;
  }
  bool LookUp(const std::string& name, uint32_t* address) override {
    Call("gethostbyname " + name);
    if (!started_ || name != "router.example") return false;
    return DottedAddress("198.51.100.9", address);
  }
  bool Open() override {
    Call("IcmpCreateFile");
    return !openFails;
  }
  void Close() override { Call("IcmpCloseHandle"); }
  int32_t OwnMtuTowards(uint32_t) override {
    Call("own MTU");
    return 1500;
  }
  IcmpEchoCall Send(uint32_t address, const char* data, int32_t dataBytes,
                    uint32_t, uint32_t* tookMs) override {
    if (calls.find("IcmpSendEcho") == std::string::npos) Call("IcmpSendEcho");
    sentTo.push_back(address);
    sentBytes.push_back(dataBytes);
    const std::vector<char> fill = IncompressibleFill(size_t(dataBytes));
    dataIsTheFill =
        dataIsTheFill && std::equal(fill.begin(), fill.end(), data);
    *tookMs = 1;
    if (!started_) return {0, 0, 10091};
    if (dataBytes + kPingHeaders > pathMtu) return {1, kIpPacketTooBig, 0};
    return {1, kIpSuccess, 0};
  }

 private:
  void Call(const std::string& what) {
    calls += (calls.empty() ? "" : ", ") + what;
  }
  bool started_ = false;
};

uint32_t Address(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  const uint8_t bytes[4] = {a, b, c, d};
  uint32_t address;
  std::memcpy(&address, bytes, sizeof address);
  return address;
}

// KB 170591: Winsock started before ICMP.DLL is first called and kept until
// its handle is closed, whatever ends the search; the first ping of a search
// started without it fails with 10091.
TEST(IcmpSearch, WinsockIsStartedBeforeIcmpDllAndStoppedAfterIt) {
  const struct {
    const char* what;
    const char* host;
    bool startFails, openFails, stopAtOnce;
    MtuSearchEnd end;
    const char* calls;  // "..." where the pings go on
  } kSearches[] = {
      {"a dotted address", "192.0.2.7", false, false, false, kMtuFound,
       "WSAStartup, IcmpCreateFile, own MTU, IcmpSendEcho..., "
       "IcmpCloseHandle, WSACleanup"},
      {"a name", "router.example", false, false, false, kMtuFound,
       "WSAStartup, gethostbyname router.example, IcmpCreateFile, own MTU, "
       "IcmpSendEcho..., IcmpCloseHandle, WSACleanup"},
      {"stopped before the first ping", "192.0.2.7", false, false, true,
       kMtuCancelled,
       "WSAStartup, IcmpCreateFile, own MTU, IcmpCloseHandle, WSACleanup"},
      {"a name nobody knows", "nowhere.example", false, false, false,
       kMtuHostUnknown, "WSAStartup, gethostbyname nowhere.example, WSACleanup"},
      {"ICMP.DLL gives no handle", "192.0.2.7", false, true, false,
       kMtuCannotPing, "WSAStartup, IcmpCreateFile, WSACleanup"},
      {"Winsock does not start", "192.0.2.7", true, false, false,
       kMtuCannotPing, "WSAStartup"},
  };
  for (const auto& s : kSearches) {
    OlderWindowsIcmp icmp;
    icmp.startFails = s.startFails;
    icmp.openFails = s.openFails;
    const MtuSearchResult result = SearchOverIcmp(
        icmp, s.host, [&](int32_t) { return !s.stopAtOnce; });
    EXPECT_EQ(s.end, result.end) << s.what;
    std::string calls = icmp.calls;
    const size_t pings = calls.find("IcmpSendEcho");
    if (pings != std::string::npos) calls.insert(pings + 12, "...");
    EXPECT_EQ(s.calls, calls) << s.what;
    if (s.end == kMtuFound) EXPECT_EQ(1492, result.mtu) << s.what;
  }
}

// Every ping goes to the host's address in network order, carries the fill
// and is the size the search asked for, headers left out.
TEST(IcmpSearch, EachPingIsTheSizeAskedForTowardsTheHost) {
  OlderWindowsIcmp icmp;
  const MtuSearchResult result =
      SearchOverIcmp(icmp, "router.example", [](int32_t) { return true; });
  ASSERT_EQ(kMtuFound, result.end);
  ASSERT_EQ(size_t(result.probes), icmp.sentBytes.size());
  EXPECT_EQ(kFirstProbeSize - kPingHeaders, icmp.sentBytes.front());
  for (int32_t bytes : icmp.sentBytes)
    EXPECT_TRUE(bytes >= kSmallestMtu - kPingHeaders &&
                bytes <= 1500 + 1 - kPingHeaders)
        << bytes << " bytes of data";
  for (uint32_t to : icmp.sentTo) EXPECT_EQ(Address(198, 51, 100, 9), to);
  EXPECT_TRUE(icmp.dataIsTheFill);
}

TEST(IcmpSearch, OnlyFourNumbersOfAByteEachAreADottedAddress) {
  const struct {
    const char* text;
    bool dotted;
    uint32_t address;
  } kTexts[] = {
      {"192.168.0.1", true, Address(192, 168, 0, 1)},
      {"0.0.0.0", true, Address(0, 0, 0, 0)},
      {"255.255.255.255", true, Address(255, 255, 255, 255)},
      {"256.1.1.1", false, 0},
      {"1.2.3", false, 0},
      {"1.2.3.4.5", false, 0},
      {"1..2.3", false, 0},
      {"1.2.3.", false, 0},
      {".1.2.3", false, 0},
      {"1.2.3.4 ", false, 0},
      {"0001.2.3.4", false, 0},
      {"router.example", false, 0},
      {"", false, 0},
  };
  for (const auto& t : kTexts) {
    uint32_t address = 0;
    EXPECT_EQ(t.dotted, DottedAddress(t.text, &address)) << t.text;
    if (t.dotted) EXPECT_EQ(t.address, address) << t.text;
  }
}

}  // namespace
}  // namespace velo
