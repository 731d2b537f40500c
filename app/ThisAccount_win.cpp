#include "app/ThisAccount.h"

#include <windows.h>

namespace velo {

std::string LocalTimeStamp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  auto padded = [](WORD number, size_t width) {
    std::string digits = std::to_string(number);
    return std::string(width > digits.size() ? width - digits.size() : 0,
                       '0') + digits;
  };
  return padded(now.wYear, 4) + "-" + padded(now.wMonth, 2) + "-" +
         padded(now.wDay, 2) + " " + padded(now.wHour, 2) + ":" +
         padded(now.wMinute, 2) + ":" + padded(now.wSecond, 2);
}

BackupHolder ThisAccountNow() {
  // ADVAPI32's, on every Windows the program runs on; UNLEN is 256.
  char name[257] = "";
  DWORD size = sizeof(name);
  if (!GetUserNameA(name, &size)) name[0] = '\0';
  return BackupHolder{name, LocalTimeStamp()};
}

}  // namespace velo
