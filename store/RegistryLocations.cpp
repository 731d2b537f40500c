#include "store/RegistryLocations.h"

#include "registry/PathNames.h"

namespace velo {

namespace {

typedef SettingsRecord R;
typedef FoundFlags F;

template <size_t N>
constexpr size_t CountOf(const TunedValue (&)[N]) {
  return N;
}

bool NeverRead(const WindowsLimits&) { return false; }
bool ReadsScalingOptions(const WindowsLimits& limits) {
  return limits.readsScalingOptions;
}

const char kNtParameters[] =
    "KB 120642 (TCP/IP and NBT configuration parameters)";
const char k9xParameters[] = "KB 158474 (Windows TCP/IP registry entries)";
const char kCapNotHere[] =
    "not read here: 98 reads its cap in MSTCP\\Parameters, a DWORD (KB 239731)";

const TunedValue kBrowserValues[] = {
    {"MaxConnectionsPer1_0Server", &R::NewMaxConnectionsPer1_0Server, 0,
     &R::OriginalMaxConnectionsPer1_0Server,
     &F::MaxConnectionsPer1_0ServerFound, nullptr, "KB 183110"},
    {"MaxConnectionsPerServer", &R::NewMaxConnectionsPerServer, 0,
     &R::OriginalMaxConnectionsPerServer, &F::MaxConnectionsPerServerFound,
     nullptr, "KB 183110"},
};

// The receive window cap was once given here as text under both spellings;
// no 9x reads it here (KB 239731), so Finish gives it no more, and the rows
// stay for the backups that hold what those values were.
const TunedValue kMstcpValues[] = {
    {"SackOpts", nullptr, 1, nullptr, nullptr, ReadsScalingOptions,
     "KB 224829; Winsock 2 stacks only"},
    // Off: no 9x window Velocine proposes passes 65,535, so the option would
    // turn on timestamps and scaling for nothing, with the stalls and resets
    // KB 239699 ties to it.
    {"Tcp1323Opts", nullptr, 0, nullptr, nullptr, ReadsScalingOptions,
     "off, the window staying within 65,535 (KB 239699); Winsock 2 stacks "
     "only"},
    {"DefaultTTL", &R::NewTTL, 0, &R::OriginalTTL, &F::TTLFound, nullptr,
     k9xParameters},
    {"DefaultRcvWindow", &R::NewRWIN, 0, &R::OriginalRWIN, &F::RWINFound,
     nullptr, k9xParameters},
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0, nullptr, nullptr, NeverRead,
     kCapNotHere},
    {"GlobalMaxTcpWindoSize", &R::NewRWIN, 0, nullptr, nullptr, NeverRead,
     kCapNotHere},
    {"PMTUBlackHoleDetect", &R::NewPMTUBlackHoleDetect, 0,
     &R::OriginalPMTUBlackHoleDetect, &F::PMTUBlackHoleDetectFound, nullptr,
     k9xParameters},
    {"PMTUDiscovery", &R::NewPMTUDiscovery, 0, &R::OriginalPMTUDiscovery,
     &F::PMTUDiscoveryFound, nullptr, k9xParameters},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0, &R::OriginalKeepAliveTime,
     &F::KeepAliveTimeFound, nullptr, k9xParameters},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0,
     &R::OriginalKeepAliveInterval, &F::KeepAliveIntervalFound, nullptr,
     k9xParameters},
};

const TunedValue kWindowCaps[] = {
    {"GlobalMaxTcpWindoSize", &R::NewRWIN, 0, nullptr, nullptr, nullptr,
     "KB 239731: 98 and 98 SE read this misspelt name, a DWORD"},
    // Given by earlier versions on Me; kept so that Reset finds it.
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0, nullptr, nullptr, NeverRead,
     "no Microsoft text names it for 95 or Me"},
};

const TunedValue kTcpipValues[] = {
    {"SackOpts", nullptr, 1, nullptr, nullptr, ReadsScalingOptions,
     "KB 224829; NT 4.0 has no selective acknowledgements"},
    // Scaling only where the window needs it: some routers of the time
    // mangle the option.
    {"Tcp1323Opts", nullptr, 0, nullptr, nullptr, ReadsScalingOptions,
     "KB 263088: a window beyond 65,535 needs scaling; KB 224829; NT 4.0 "
     "has no window scaling (KB 199947)",
     WindowScalingOption},
    {"TcpMaxDupAcks", nullptr, 2, nullptr, nullptr, nullptr, kNtParameters},
    {"DefaultTTL", &R::NewTTL, 0, &R::OriginalTTL, &F::TTLFound, nullptr,
     kNtParameters},
    // AFD reads its default window from its own parameters, never here.
    {"DefaultReceiveWindow", nullptr, 8192, nullptr, nullptr, NeverRead,
     "AFD reads it from AFD\\Parameters, never here (KB 120642)"},
    {"TcpWindowSize", &R::NewRWIN, 0, &R::OriginalRWIN, &F::RWINFound,
     nullptr, kNtParameters},
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0, nullptr, nullptr,
     ReadsScalingOptions, "KB 224829; not read by NT 4.0 (KB 199947)"},
    {"EnablePMTUBHDetect", &R::NewPMTUBlackHoleDetect, 0,
     &R::OriginalPMTUBlackHoleDetect, &F::PMTUBlackHoleDetectFound, nullptr,
     kNtParameters},
    {"EnablePMTUDiscovery", &R::NewPMTUDiscovery, 0,
     &R::OriginalPMTUDiscovery, &F::PMTUDiscoveryFound, nullptr,
     kNtParameters},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0, &R::OriginalKeepAliveTime,
     &F::KeepAliveTimeFound, nullptr, kNtParameters},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0,
     &R::OriginalKeepAliveInterval, &F::KeepAliveIntervalFound, nullptr,
     kNtParameters},
    {"SYNAttackProtect", &R::NewSYNAttackProtect, 0,
     &R::OriginalSYNAttackProtect, &F::SYNAttackProtectFound, nullptr,
     "KB 315669 (2000), KB 324270 (2003); NT 4.0 at most 1 (KB 307991)"},
    {kIcmpRedirectsValue, &R::NewEnableICMPRedirects, 0,
     &R::OriginalEnableICMPRedirects, &F::EnableICMPRedirectsFound, nullptr,
     "KB 120642; NT 4.0 from Service Pack 5"},
};

const TunedValue kIcmpRedirect = {kIcmpRedirectValue,
                                  &R::NewEnableICMPRedirects, 0,
                                  &R::OriginalEnableICMPRedirects,
                                  &F::EnableICMPRedirectsFound, nullptr,
                                  "KB 314053 (XP), KB 120642 (2000)"};

const TunedValue kNdisWanMtu = {"IPMTU", &R::NewMTU, 0, &R::OriginalMTU,
                                &F::MTUFound, nullptr,
                                "KB 183229: 1 to 1500, from Service Pack 4"};

// KB 826159: the MTU of IP over PPP, in the entry that names IP (0x800) and
// PPP's protocol number for IP (0x21); a restart applies it.
const TunedValue kPppValues[] = {
    {"ProtocolType", nullptr, kIpProtocolType, nullptr, nullptr, nullptr,
     "KB 826159"},
    {"PPPProtocolType", nullptr, 0x21, nullptr, nullptr, nullptr,
     "KB 826159"},
    {"ProtocolMTU", &R::NewMTU, 0, nullptr, nullptr, nullptr, "KB 826159"},
};

const TunedKey kBrowser = {
    kHkeyCurrentUser,
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
    kRegDword,
    false,
    kBrowserValues,
    CountOf(kBrowserValues)};

const FamilyLocations kFamily9xLocations = {
    {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxD\\MSTCP",
     kRegSz, true, kMstcpValues, CountOf(kMstcpValues)},
    "System\\CurrentControlSet\\Services\\Class\\NetTrans",
    {"MaxMTU", &R::NewMTU, 0, &R::OriginalMTU, &F::MTUFound, nullptr,
     "KB 250663: a string; at most what the adapter reports, and under "
     "Dial-Up Networking 576 below 128 kbit/s (KB 183437)"},
    {"MaxMSS", &R::NewMSS, 0, &R::OriginalMSS, &F::MSSFound, nullptr,
     "KB 158474"},
    "System\\CurrentControlSet\\Services\\Class\\Modem",
};

const FamilyLocations kFamilyNTLocations = {
    {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Tcpip\\Parameters",
     kRegDword, true, kTcpipValues, CountOf(kTcpipValues)},
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces",
    {"MTU", &R::NewMTU, 0, &R::OriginalMTU, &F::MTUFound, nullptr,
     "KB 120642; not used by PPP on 2000, XP, 2003 (KB 826159)"},
    // No NT reads an interface's MSS: TCP takes it from the MTU. Earlier
    // versions wrote it; it stays for the backups that hold what it was.
    {"MSS", &R::NewMSS, 0, &R::OriginalMSS, &F::MSSFound, NeverRead,
     "not read: TCP takes the MSS from the MTU (KB 120642 names no MSS)"},
    "System\\CurrentControlSet\\Control\\Class\\"
    "{4D36E96D-E325-11CE-BFC1-08002BE10318}",
};

}  // namespace

int32_t WindowScalingOption(const SettingsRecord& record) {
  return record.NewRWIN > kLargestUnscaledReceiveWindow ? 1 : 0;
}

RegValue NoMtuMarker() { return RegValue::Text("0"); }

bool IsNoMtuMarker(const RegValue& entry) {
  return entry.type == kRegSz && entry.data.size() >= 2 &&
         entry.data[0] == '0' && entry.data[1] == 0;
}

std::string JoinKeyPath(const std::string& parent, const std::string& child) {
  return parent + "\\" + child;
}

const TunedKey& BrowserKey() { return kBrowser; }

const TunedValue& NdisWanMtu() { return kNdisWanMtu; }

const TunedValue* PppProtocolValues(size_t* count) {
  *count = CountOf(kPppValues);
  return kPppValues;
}

const TunedValue& PppProtocolMtu() { return kPppValues[2]; }

const TunedValue& WindowCap(const std::string& name) {
  return name == kWindowCaps[0].name ? kWindowCaps[0] : kWindowCaps[1];
}

DeviceLayout DeviceLayoutOf(WindowsFamily family, const WindowsLimits& limits) {
  if (family == kFamily9x) return kBindings9x;
  return limits.keepsMtuPerBoundAdapter ? kBoundAdaptersNT4 : kInterfacesNT;
}

namespace {
const char kServicesKey[] = "System\\CurrentControlSet\\Services";
const char kAdapterTcpipSubKey[] = "Parameters\\Tcpip";
}  // namespace

std::string DeviceKeyPath(DeviceLayout layout, const std::string& name) {
  if (layout == kBoundAdaptersNT4)
    return JoinKeyPath(JoinKeyPath(kServicesKey, name), kAdapterTcpipSubKey);
  const WindowsFamily family = layout == kBindings9x ? kFamily9x : kFamilyNT;
  return JoinKeyPath(LocationsOf(family).deviceParent, name);
}

std::string BoundAdapterOfKey(const std::string& rootedPath) {
  const std::string start = FoldedName(JoinKeyPath("HKLM", kServicesKey) + "\\");
  const std::string end = FoldedName(std::string("\\") + kAdapterTcpipSubKey);
  const std::string folded = FoldedName(rootedPath);
  if (folded.size() <= start.size() + end.size() ||
      folded.compare(0, start.size(), start) != 0 ||
      folded.compare(folded.size() - end.size(), end.size(), end) != 0)
    return "";
  const std::string name = rootedPath.substr(
      start.size(), rootedPath.size() - start.size() - end.size());
  return name.find('\\') == std::string::npos ? name : "";
}

const TunedValue& AsRead(const TunedValue& tuned,
                         const std::string& icmpRedirectName) {
  const bool replaced = tuned.name == std::string(kIcmpRedirectsValue) &&
                        icmpRedirectName == kIcmpRedirectValue;
  return replaced ? kIcmpRedirect : tuned;
}

const FamilyLocations& LocationsOf(WindowsFamily family) {
  return family == kFamily9x ? kFamily9xLocations : kFamilyNTLocations;
}

}  // namespace velo
