#include "pathmtu/PathMtuProber.h"

#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>
#include <iprtrmib.h>

#include <algorithm>
#include <vector>

#include "tuning/IcmpEcho.h"

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
typedef DWORD(WINAPI* GetBestInterfaceFn)(IPAddr, PDWORD);
typedef DWORD(WINAPI* GetIfEntryFn)(PMIB_IFROW);

// The IP and ICMP headers around a ping's data.
const int32_t kPingHeaders = 28;
const UCHAR kDontFragment = 2;  // IP_FLAG_DF
// The largest MTU of the networks these Windows run on (16 Mbit/s Token
// Ring): an adapter that says more, as a loopback may, is searched up to it.
const int32_t kLargestAdapterMtu = 17914;

template <typename Fn>
Fn Function(HMODULE dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

// A DLL loaded for the time of one search.
class Library {
 public:
  explicit Library(const char* name) : dll_(LoadLibraryA(name)) {}
  ~Library() {
    if (dll_) FreeLibrary(dll_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  template <typename Fn>
  Fn Get(const char* name) const {
    return dll_ ? Function<Fn>(dll_, name) : nullptr;
  }

 private:
  HMODULE dll_;
};

// ICMP.DLL and the functions the search calls.
struct IcmpLibrary {
  Library dll{"ICMP.DLL"};
  IcmpCreateFileFn create = dll.Get<IcmpCreateFileFn>("IcmpCreateFile");
  IcmpCloseHandleFn close = dll.Get<IcmpCloseHandleFn>("IcmpCloseHandle");
  IcmpSendEchoFn send = dll.Get<IcmpSendEchoFn>("IcmpSendEcho");

  bool Usable() const { return create && close && send; }
};

// Winsock, started for the whole search: ICMP.DLL of the older Windows
// sends nothing (error 10091) unless the process has started it, and the
// host's name is looked up through it.
class Sockets {
 public:
  Sockets() {
    auto startup = dll_.Get<WsaStartupFn>("WSAStartup");
    WSADATA data;
    started_ = cleanup_ && startup && startup(MAKEWORD(1, 1), &data) == 0;
  }
  ~Sockets() {
    if (started_) cleanup_();
  }
  Sockets(const Sockets&) = delete;
  Sockets& operator=(const Sockets&) = delete;

  bool Started() const { return started_; }

  // A name's first IPv4 address in network order; false when not known.
  bool Address(const std::string& name, IPAddr* address) const {
    auto lookUp = dll_.Get<GetHostByNameFn>("gethostbyname");
    const hostent* host = lookUp ? lookUp(name.c_str()) : nullptr;
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 ||
        !host->h_addr_list[0])
      return false;
    CopyMemory(address, host->h_addr_list[0], 4);
    return true;
  }

 private:
  Library dll_{"WSOCK32.DLL"};
  WsaCleanupFn cleanup_ = dll_.Get<WsaCleanupFn>("WSACleanup");
  bool started_ = false;
};

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

// The MTU of the adapter the pings towards `address` leave by, where this
// Windows can tell (IP Helper: 98, NT 4.0 SP4 and later); Ethernet's
// elsewhere.
int32_t OwnMtuTowards(IPAddr address) {
  Library helper("IPHLPAPI.DLL");
  auto bestInterface = helper.Get<GetBestInterfaceFn>("GetBestInterface");
  auto ifEntry = helper.Get<GetIfEntryFn>("GetIfEntry");
  MIB_IFROW row = {};
  if (!bestInterface || !ifEntry ||
      bestInterface(address, &row.dwIndex) != NO_ERROR ||
      ifEntry(&row) != NO_ERROR || row.dwMtu < DWORD(kSmallestMtu))
    return kEthernetMtu;
  return static_cast<int32_t>(
      std::min<DWORD>(row.dwMtu, DWORD(kLargestAdapterMtu)));
}

}  // namespace

bool PathMtuProber::CanPing() const { return IcmpLibrary().Usable(); }

MtuSearchResult PathMtuProber::Find(
    const std::string& host, const std::function<bool(int32_t size)>& goOn) {
  IcmpLibrary icmp;
  const Sockets sockets;
  if (!icmp.Usable() || !sockets.Started()) return {kMtuCannotPing, 0, 0};
  IPAddr address = 0;
  if (!DottedAddress(host, &address) && !sockets.Address(host, &address))
    return {kMtuHostUnknown, 0, 0};
  HANDLE handle = icmp.create();
  if (handle == INVALID_HANDLE_VALUE) return {kMtuCannotPing, 0, 0};
  const int32_t ceiling = OwnMtuTowards(address);
  const std::vector<char> data =
      IncompressibleFill(size_t(ceiling + 1 - kPingHeaders));
  // Room for the reply, its echoed data and an ICMP error's quoted header.
  std::vector<char> reply(sizeof(ICMP_ECHO_REPLY) + data.size() + 64);
  const auto probe = [&](int32_t size, uint32_t waitMs) {
    IP_OPTION_INFORMATION options = {};
    options.Ttl = 128;
    options.Flags = kDontFragment;
    const DWORD start = GetTickCount();
    SetLastError(0);
    const DWORD replies = icmp.send(
        handle, address, const_cast<char*>(data.data()),
        static_cast<WORD>(size - kPingHeaders), &options, reply.data(),
        static_cast<DWORD>(reply.size()), waitMs);
    const IcmpEchoCall call = {
        replies,
        replies ? reinterpret_cast<const ICMP_ECHO_REPLY*>(reply.data())->Status
                : 0,
        replies ? 0 : GetLastError()};
    return ProbeReply{AnswerOf(call), GetTickCount() - start};
  };
  const MtuSearchResult result = FindMtu(probe, ceiling, goOn);
  icmp.close(handle);
  return result;
}

}  // namespace velo
