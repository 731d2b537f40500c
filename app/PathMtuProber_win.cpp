#include "app/PathMtuProber.h"

#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>

#include <vector>

namespace velo {

namespace {

typedef HANDLE(WINAPI* IcmpCreateFileFn)();
typedef BOOL(WINAPI* IcmpCloseHandleFn)(HANDLE);
typedef DWORD(WINAPI* IcmpSendEchoFn)(HANDLE, IPAddr, LPVOID, WORD,
                                      PIP_OPTION_INFORMATION, LPVOID, DWORD,
                                      DWORD);
typedef int(WINAPI* WsaStartupFn)(WORD, LPWSADATA);
typedef int(WINAPI* WsaCleanupFn)();
typedef hostent*(WINAPI* GetHostByNameFn)(const char*);

// Long enough for a far host on a slow line; a lost ping is sent once more.
const DWORD kProbeTimeoutMs = 1000;
// The IP and ICMP headers around a ping's data.
const int32_t kPingHeaders = 28;
const UCHAR kDontFragment = 2;  // IP_FLAG_DF

template <typename Fn>
Fn Function(HMODULE dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// "a.b.c.d" in network order; false when `text` is not one.
bool DottedAddress(const std::string& text, IPAddr* address) {
  uint32_t parts[4] = {0, 0, 0, 0};
  size_t part = 0, digits = 0;
  for (char c : text) {
    if (c == '.' && digits > 0 && part < 3) {
      ++part;
      digits = 0;
    } else if (c >= '0' && c <= '9' && digits < 3) {
      parts[part] = parts[part] * 10 + (c - '0');
      if (parts[part] > 255) return false;
      ++digits;
    } else {
      return false;
    }
  }
  if (part != 3 || digits == 0) return false;
  const uint8_t bytes[4] = {uint8_t(parts[0]), uint8_t(parts[1]),
                            uint8_t(parts[2]), uint8_t(parts[3])};
  CopyMemory(address, bytes, sizeof bytes);
  return true;
}

// A name through the sockets DLL, loaded for this one question.
bool NamedAddress(const std::string& name, IPAddr* address) {
  HMODULE sockets = LoadLibraryA("WSOCK32.DLL");
  if (!sockets) return false;
  auto startup = Function<WsaStartupFn>(sockets, "WSAStartup");
  auto cleanup = Function<WsaCleanupFn>(sockets, "WSACleanup");
  auto lookUp = Function<GetHostByNameFn>(sockets, "gethostbyname");
  bool found = false;
  WSADATA data;
  if (startup && cleanup && lookUp && startup(MAKEWORD(1, 1), &data) == 0) {
    const hostent* host = lookUp(name.c_str());
    if (host && host->h_addrtype == AF_INET && host->h_length == 4 &&
        host->h_addr_list[0]) {
      CopyMemory(address, host->h_addr_list[0], 4);
      found = true;
    }
    cleanup();
  }
  FreeLibrary(sockets);
  return found;
}

// ICMP.DLL and the functions the search calls, loaded for one use.
class IcmpLibrary {
 public:
  IcmpLibrary() : dll_(LoadLibraryA("ICMP.DLL")) {
    if (!dll_) return;
    create = Function<IcmpCreateFileFn>(dll_, "IcmpCreateFile");
    close = Function<IcmpCloseHandleFn>(dll_, "IcmpCloseHandle");
    send = Function<IcmpSendEchoFn>(dll_, "IcmpSendEcho");
  }
  ~IcmpLibrary() {
    if (dll_) FreeLibrary(dll_);
  }
  IcmpLibrary(const IcmpLibrary&) = delete;
  IcmpLibrary& operator=(const IcmpLibrary&) = delete;

  bool Usable() const { return create && close && send; }

  IcmpCreateFileFn create = nullptr;
  IcmpCloseHandleFn close = nullptr;
  IcmpSendEchoFn send = nullptr;

 private:
  HMODULE dll_;
};

}  // namespace

bool PathMtuProber::CanPing() const { return IcmpLibrary().Usable(); }

MtuSearchResult PathMtuProber::Find(
    const std::string& host, const std::function<bool(int32_t size)>& goOn) {
  IcmpLibrary icmp;
  if (!icmp.Usable()) return {kMtuCannotPing, 0, 0};
  IPAddr address = 0;
  if (!DottedAddress(host, &address) && !NamedAddress(host, &address))
    return {kMtuHostUnknown, 0, 0};
  HANDLE handle = icmp.create();
  if (handle == INVALID_HANDLE_VALUE) return {kMtuCannotPing, 0, 0};
  std::vector<char> data(kLargestMtu + 1 - kPingHeaders, 'V');
  // Room for the reply, its echoed data and an ICMP error's quoted header.
  std::vector<char> reply(sizeof(ICMP_ECHO_REPLY) + data.size() + 64);
  const auto probe = [&](int32_t size) {
    IP_OPTION_INFORMATION options = {};
    options.Ttl = 128;
    options.Flags = kDontFragment;
    const DWORD replies = icmp.send(
        handle, address, data.data(), static_cast<WORD>(size - kPingHeaders),
        &options, reply.data(), static_cast<DWORD>(reply.size()),
        kProbeTimeoutMs);
    // Some stacks report the router's answer as the call's error rather
    // than in the reply.
    const DWORD status =
        replies ? reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data())->Status
                : GetLastError();
    if (status == IP_SUCCESS) return kProbeEchoed;
    return status == IP_PACKET_TOO_BIG ? kProbeTooBig : kProbeNoAnswer;
  };
  const MtuSearchResult result = FindMtu(probe, goOn);
  icmp.close(handle);
  return result;
}

}  // namespace velo
