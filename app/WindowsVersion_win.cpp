#include <windows.h>

#include <string>

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
    // The NT family names its service pack here; 95/98/Me put a letter for
    // their editions, which has no number.
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT)
      numbers_.servicePack = ServicePackOf(info.szCSDVersion);
  }
}

bool Winsock2Installed() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  const std::string path = std::string(folder) + "\\WS2_32.DLL";
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace velo
