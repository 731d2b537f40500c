#include <gtest/gtest.h>

#include "app/WindowsVersion.h"

namespace velo {
namespace {

struct VersionCase {
  uint32_t platform, major, minor;
  bool recognised;
  WindowsFamily family;
};

class WindowsVersionClassification
    : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WindowsVersionClassification, GivesTheFamilyOrRefuses) {
  const VersionCase& c = GetParam();
  CWindowsVersion version(VersionNumbers{c.platform, c.major, c.minor});
  WindowsFamily family = c.family == kFamily9x ? kFamilyNT : kFamily9x;
  EXPECT_EQ(c.recognised, version.Classify(&family));
  if (c.recognised) EXPECT_EQ(c.family, family);
}

INSTANTIATE_TEST_SUITE_P(
    KnownAndUnknown, WindowsVersionClassification,
    ::testing::Values(
        VersionCase{1, 4, 0, true, kFamily9x},    // 95
        VersionCase{1, 4, 10, true, kFamily9x},   // 98
        VersionCase{1, 4, 90, true, kFamily9x},   // Me
        VersionCase{1, 4, 3, false, kFamily9x},   // no such 95-family release
        VersionCase{1, 7, 10, true, kFamily9x},   // the major is not tested
        VersionCase{2, 4, 0, true, kFamilyNT},    // NT 4.0
        VersionCase{2, 4, 7, true, kFamilyNT},    // NT 4 with any minor
        VersionCase{2, 5, 0, true, kFamilyNT},    // 2000
        VersionCase{2, 5, 1, true, kFamilyNT},    // XP
        VersionCase{2, 5, 2, true, kFamilyNT},    // Server 2003
        VersionCase{2, 3, 51, false, kFamilyNT},  // NT 3.51
        VersionCase{2, 6, 0, false, kFamilyNT},   // Vista
        VersionCase{2, 6, 1, false, kFamilyNT},   // 7
        VersionCase{0, 3, 10, false, kFamilyNT}   // Win32s
        ));

struct LimitsCase {
  uint32_t platform, major, minor, servicePack;
  bool winsock2Installed;
  int32_t largestReceiveWindow, strongestSynAttackProtect;
  bool readsSingularIcmpRedirect;
  bool keepsMtuPerBoundAdapter;
  bool readsNdisWanMtu, readsIcmpRedirects;
  int32_t defaultSynAttackProtect;
  bool readsPppProtocolMtu;
  const char* windowCapName;
  bool mstcpTakesText, readsScalingOptions;
};

TEST(WindowsVersionLimits, EachReleaseTakesWhatItsStackReads) {
  const int32_t scaled = kLargestScaledReceiveWindow;
  const int32_t unscaled = kLargestUnscaledReceiveWindow;
  const LimitsCase cases[] = {
      {1, 4, 0, 0, true, scaled, 2, false, false, false, true, 0, false, "", true, true},  // 95 with the Winsock 2 update
      {1, 4, 0, 0, false, unscaled, 2, false, false, false, true, 0, false, "", false, false},  // 95 without it: DWORDs (KB 158474)
      {1, 4, 10, 0, false, scaled, 2, false, false, false, true, 0, false, "GlobalMaxTcpWindoSize", true, true},  // 98 has window scaling of its own; KB 239731
      {1, 4, 90, 0, false, scaled, 2, false, false, false, true, 0, false, "", true, true},  // Me: no Microsoft text for a cap
      {2, 4, 0, 0, true, unscaled, 1, false, true, false, false, 0, false, "", true, false},  // NT 4.0, Winsock 2 or not; level 2 resets sessions with the rollup (KB 307991)
      {2, 4, 0, 3, true, unscaled, 1, false, true, false, false, 0, false, "", true, false},  // RAS's MTU fixed at 1500
      {2, 4, 0, 4, true, unscaled, 1, false, true, true, false, 0, false, "", true, false},  // NdisWan's IPMTU read
      {2, 4, 0, 5, true, unscaled, 1, false, true, true, true, 0, false, "", true, false},  // EnableICMPRedirects read
      {2, 4, 0, 6, true, unscaled, 1, false, true, true, true, 0, false, "", true, false},
      {2, 5, 0, 0, true, scaled, 1, true, false, false, true, 0, true, "", true, true},  // 2000: SYN level 2 defeats path MTU discovery; PPP's MTU (KB 826159)
      {2, 5, 0, 3, true, scaled, 1, true, false, false, true, 0, true, "", true, true},
      {2, 5, 0, 4, true, scaled, 2, true, false, false, true, 0, true, "", true, true},  // mended in SP4
      {2, 5, 1, 2, true, scaled, 2, true, false, false, true, 0, true, "", true, true},  // XP
      {2, 5, 2, 0, true, scaled, 1, true, false, false, true, 0, true, "", true, true},  // Server 2003
      {2, 5, 2, 1, true, scaled, 1, true, false, false, true, 1, true, "", true, true},  // SYN protection on by default
  };
  for (const LimitsCase& c : cases) {
    WindowsLimits limits = CWindowsVersion(VersionNumbers{
        c.platform, c.major, c.minor, c.servicePack}).Limits(c.winsock2Installed);
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "."
                                    << c.minor << " SP" << c.servicePack);
    EXPECT_EQ(c.largestReceiveWindow, limits.largestReceiveWindow);
    EXPECT_EQ(c.strongestSynAttackProtect, limits.strongestSynAttackProtect);
    EXPECT_EQ(c.readsSingularIcmpRedirect, limits.readsSingularIcmpRedirect);
    EXPECT_EQ(c.keepsMtuPerBoundAdapter, limits.keepsMtuPerBoundAdapter);
    EXPECT_EQ(c.readsNdisWanMtu, limits.readsNdisWanMtu);
    EXPECT_EQ(c.readsIcmpRedirects, limits.readsIcmpRedirects);
    EXPECT_EQ(c.defaultSynAttackProtect, limits.defaultSynAttackProtect);
    EXPECT_EQ(c.readsPppProtocolMtu, limits.readsPppProtocolMtu);
    EXPECT_EQ(std::string(c.windowCapName), limits.windowCapName);
    EXPECT_EQ(c.mstcpTakesText, limits.mstcpTakesText);
    EXPECT_EQ(c.readsScalingOptions, limits.readsScalingOptions);
  }
}

// The number is what counts, in whatever language the text is.
TEST(WindowsVersionServicePack, IsTheFirstNumberOfTheText) {
  EXPECT_EQ(0u, ServicePackOf(""));
  EXPECT_EQ(3u, ServicePackOf("Service Pack 3"));
  EXPECT_EQ(6u, ServicePackOf("Service Pack 6a"));
  EXPECT_EQ(12u, ServicePackOf("Service Pack 12, v.1"));
  EXPECT_EQ(0u, ServicePackOf(" A"));  // 95 OSR2 names its edition only
}

TEST(WindowsVersionPredicates, EachNamesOneRelease) {
  CWindowsVersion me(VersionNumbers{1, 4, 90});
  EXPECT_TRUE(me.IsWindowsMe());
  EXPECT_FALSE(me.IsWindows95() || me.IsWindows98());
  CWindowsVersion server2003(VersionNumbers{2, 5, 2});
  EXPECT_TRUE(server2003.IsWindowsXP());
  EXPECT_FALSE(server2003.IsWindows2000() || server2003.IsWindowsNT4());
  // An NT release with minor 0 is not taken for Windows 95.
  CWindowsVersion nt4(VersionNumbers{2, 4, 0});
  EXPECT_FALSE(nt4.IsWindows95());
  EXPECT_TRUE(nt4.IsWindowsNT4());
}

// The one-copy guard's name is global where sessions exist, so that a
// window in one session and a command in another do not run at once.
TEST(WindowsVersionPredicates, SessionsExistFrom2000On) {
  const struct {
    VersionNumbers numbers;
    bool perSession;
  } cases[] = {{{1, 4, 0}, false}, {{1, 4, 10}, false}, {{1, 4, 90}, false},
               {{2, 4, 0}, false}, {{2, 5, 0}, true},   {{2, 5, 1}, true},
               {{2, 5, 2}, true},  {{2, 6, 0}, true}};
  for (const auto& c : cases)
    EXPECT_EQ(c.perSession,
              CWindowsVersion(c.numbers).NamesObjectsPerSession())
        << c.numbers.platformId << " " << c.numbers.major << "."
        << c.numbers.minor;
}

}  // namespace
}  // namespace velo
