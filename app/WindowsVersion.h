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
};

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

  // The family, tested in the order above; false for a Windows that none of
  // the tests recognises.
  bool Classify(WindowsFamily* family) const;

 private:
  VersionNumbers numbers_;
};

}  // namespace velo
