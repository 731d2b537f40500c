// Which Windows is running, and which of the two supported families it
// belongs to.
#pragma once

#include <cstdint>

#include "store/SettingsRecord.h"

namespace velo {

// The three numbers of the version record that decide.
struct VersionNumbers {
  uint32_t platformId = 0;  // 1: 95/98/Me, 2: NT
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t servicePack = 0;  // 0: none installed
};

// The service pack a version record's CSD text names ("Service Pack 6a" is
// 6): its first number, whatever language the rest is in; 0 when it has
// none.
uint32_t ServicePackOf(const char* csdVersion);

class CWindowsVersion {
 public:
  // Reads the running system's version once.
  CWindowsVersion();
  explicit CWindowsVersion(const VersionNumbers& numbers) : numbers_(numbers) {}

  bool IsWindows95() const;
  bool IsWindows98() const;
  bool IsWindowsMe() const;
  bool IsWindows2000() const;
  // XP (5.1), Server 2003 (5.2) and later NT 5 releases.
  bool IsWindowsXP() const;
  bool IsWindowsNT4() const;
  bool IsServer2003() const;
  // Whether named objects live per session unless named in the global name
  // space ("Global\\"): 2000 and later, where Terminal Services and fast
  // user switching run several sessions at once. 95/98/Me and NT 4.0 have
  // one name space for the machine, and NT 4.0 takes no such prefix.
  bool NamesObjectsPerSession() const;

  // The family, tested in the order above; false for a Windows that none of
  // the tests recognises.
  bool Classify(WindowsFamily* family) const;

  // What this Windows takes: a receive window up to 65,535 only on NT 4.0,
  // and on 95 without the Winsock 2 update (`winsock2Installed` false), which
  // both lack window scaling; SYN attack protection up to 1 on Server 2003
  // and on 2000 before Service Pack 4;
  // the singular ICMP redirect value's name on 2000, XP and Server 2003;
  // the MTU per bound adapter on NT 4.0, with RAS's MTU in NdisWan from
  // Service Pack 4 and the ICMP redirect value read from Service Pack 5.
  WindowsLimits Limits(bool winsock2Installed) const;

 private:
  VersionNumbers numbers_;
};

// Whether the Winsock 2 update is installed: WS2_32.DLL in the system folder.
bool Winsock2Installed();

}  // namespace velo
