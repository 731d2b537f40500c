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
