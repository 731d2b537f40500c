#include "pathmtu/PathMtuProber.h"

#include <winsock2.h>
#include <windows.h>
#include <ipexport.h>
#include <iprtrmib.h>

#include <algorithm>
#include <vector>

#include "pathmtu/IcmpSearch.h"

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

// ICMP.DLL and Winsock, as the search calls them.
class WindowsIcmp : public IcmpCalls {
 public:
  // False where ICMP.DLL or its functions are missing.
  bool Usable() const { return create_ && close_ && send_; }

  bool StartSockets() override {
    auto startup = sockets_.Get<WsaStartupFn>("WSAStartup");
    WSADATA data;
    return cleanup_ && startup && startup(MAKEWORD(1, 1), &data) == 0;
  }
  void StopSockets() override { cleanup_(); }

  bool LookUp(const std::string& name, uint32_t* address) override {
    auto lookUp = sockets_.Get<GetHostByNameFn>("gethostbyname");
    const hostent* host = lookUp ? lookUp(name.c_str()) : nullptr;
    if (!host || host->h_addrtype != AF_INET || host->h_length != 4 ||
        !host->h_addr_list[0])
      return false;
    CopyMemory(address, host->h_addr_list[0], 4);
    return true;
  }

  bool Open() override {
    handle_ = create_();
    return handle_ != INVALID_HANDLE_VALUE;
  }
  void Close() override { close_(handle_); }

  int32_t OwnMtuTowards(uint32_t address) override;

  IcmpEchoCall Send(uint32_t address, const char* data, int32_t dataBytes,
                    uint32_t waitMs, uint32_t* tookMs) override {
    // Room for the reply, its echoed data and an ICMP error's quoted header.
    reply_.resize(sizeof(ICMP_ECHO_REPLY) + size_t(dataBytes) + 64);
    IP_OPTION_INFORMATION options = {};
    options.Ttl = 128;
    options.Flags = kDontFragment;
    const DWORD start = GetTickCount();
    SetLastError(0);
    const DWORD replies =
        send_(handle_, address, const_cast<char*>(data),
              static_cast<WORD>(dataBytes), &options, reply_.data(),
              static_cast<DWORD>(reply_.size()), waitMs);
    const DWORD lastError = replies ? 0 : GetLastError();
    *tookMs = GetTickCount() - start;
    return {replies,
            replies ? reinterpret_cast<const ICMP_ECHO_REPLY*>(reply_.data())
                          ->Status
                    : 0,
            lastError};
  }

 private:
  Library icmp_{"ICMP.DLL"};
  IcmpCreateFileFn create_ = icmp_.Get<IcmpCreateFileFn>("IcmpCreateFile");
  IcmpCloseHandleFn close_ = icmp_.Get<IcmpCloseHandleFn>("IcmpCloseHandle");
  IcmpSendEchoFn send_ = icmp_.Get<IcmpSendEchoFn>("IcmpSendEcho");
  Library sockets_{"WSOCK32.DLL"};
  WsaCleanupFn cleanup_ = sockets_.Get<WsaCleanupFn>("WSACleanup");
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::vector<char> reply_;
};

// Where this Windows can tell (IP Helper: 98, NT 4.0 SP4 and later);
// Ethernet's elsewhere.
int32_t WindowsIcmp::OwnMtuTowards(uint32_t address) {
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

bool PathMtuProber::CanPing() const { return WindowsIcmp().Usable(); }

MtuSearchResult PathMtuProber::Find(
    const std::string& host, const std::function<bool(int32_t size)>& goOn) {
  WindowsIcmp icmp;
  if (!icmp.Usable()) return {kMtuCannotPing, 0, 0};
  return SearchOverIcmp(icmp, host, goOn);
}

}  // namespace velo
