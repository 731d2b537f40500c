#include <windows.h>

#include "app/WindowsVersion.h"

namespace velo {

CWindowsVersion::CWindowsVersion() {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
  if (GetVersionExA(&info)) {
    numbers_.platformId = info.dwPlatformId;
    numbers_.major = info.dwMajorVersion;
    numbers_.minor = info.dwMinorVersion;
  }
}

}  // namespace velo
