#include "app/WindowsVersion.h"

namespace velo {

namespace {
const uint32_t kPlatform9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
const uint32_t kPlatformNT = 2;  // VER_PLATFORM_WIN32_NT
}  // namespace

bool CWindowsVersion::IsWindows95() const {
  return numbers_.platformId == kPlatform9x && numbers_.minor == 0;
}

bool CWindowsVersion::IsWindows98() const {
  return numbers_.platformId == kPlatform9x && numbers_.minor == 10;
}

bool CWindowsVersion::IsWindowsMe() const {
  return numbers_.platformId == kPlatform9x && numbers_.minor == 90;
}

bool CWindowsVersion::IsWindows2000() const {
  return numbers_.platformId == kPlatformNT && numbers_.major == 5 &&
         numbers_.minor == 0;
}

bool CWindowsVersion::IsWindowsXP() const {
  return numbers_.platformId == kPlatformNT && numbers_.major == 5 &&
         numbers_.minor >= 1;
}

bool CWindowsVersion::IsWindowsNT4() const {
  return numbers_.platformId == kPlatformNT && numbers_.major == 4;
}

bool CWindowsVersion::NamesObjectsPerSession() const {
  return numbers_.platformId == kPlatformNT && numbers_.major >= 5;
}

bool CWindowsVersion::IsServer2003() const {
  return numbers_.platformId == kPlatformNT && numbers_.major == 5 &&
         numbers_.minor == 2;
}

bool CWindowsVersion::Classify(WindowsFamily* family) const {
  if (IsWindows95() || IsWindows98() || IsWindowsMe()) {
    *family = kFamily9x;
    return true;
  }
  if (IsWindows2000() || IsWindowsXP() || IsWindowsNT4()) {
    *family = kFamilyNT;
    return true;
  }
  return false;
}

WindowsLimits CWindowsVersion::Limits(bool winsock2Installed) const {
  WindowsLimits limits;
  if (IsWindowsNT4() || (IsWindows95() && !winsock2Installed))
    limits.largestReceiveWindow = kLargestUnscaledReceiveWindow;
  const bool is9x = IsWindows95() || IsWindows98() || IsWindowsMe();
  limits.largestRecommendedReceiveWindow =
      is9x ? kLargestUnscaledReceiveWindow : limits.largestReceiveWindow;
  // NT 4.0 is offered level 1 at most: with the Security Rollup that SP6a
  // takes (which its service pack text does not show), level 2 makes
  // servers reset HTTP and FTP sessions (KB 307991).
  if (IsServer2003() || (IsWindows2000() && numbers_.servicePack < 4) ||
      IsWindowsNT4())
    limits.strongestSynAttackProtect = 1;
  if (IsServer2003() && numbers_.servicePack >= 1)
    limits.defaultSynAttackProtect = 1;
  limits.readsSingularIcmpRedirect = IsWindows2000() || IsWindowsXP();
  limits.keepsMtuPerBoundAdapter = IsWindowsNT4();
  limits.readsNdisWanMtu = IsWindowsNT4() && numbers_.servicePack >= 4;
  limits.readsIcmpRedirects = !IsWindowsNT4() || numbers_.servicePack >= 5;
  limits.readsPppProtocolMtu = IsWindows2000() || IsWindowsXP();
  // KB 239731: 98 and 98 SE read only the misspelt name. No Microsoft text
  // says where 95 or Me read a global cap, and no 9x window Velocine
  // proposes passes 65,535, so those two are given none.
  if (IsWindows98()) limits.windowCapName = "GlobalMaxTcpWindoSize";
  // KB 158474: 95's values under VxD\MSTCP are DWORDs where 98's are text;
  // the Winsock 2 update brings 95 the later stack.
  limits.mstcpTakesText = !IsWindows95() || winsock2Installed;
  limits.readsScalingOptions =
      !IsWindowsNT4() && (!IsWindows95() || winsock2Installed);
  return limits;
}

uint32_t ServicePackOf(const char* csdVersion) {
  const char* digit = csdVersion;
  while (*digit && (*digit < '0' || *digit > '9')) ++digit;
  uint32_t number = 0;
  for (; *digit >= '0' && *digit <= '9' && number < 1000; ++digit)
    number = number * 10 + static_cast<uint32_t>(*digit - '0');
  return number;
}

}  // namespace velo
