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

const TunedValue kBrowserValues[] = {
    {"MaxConnectionsPer1_0Server", &R::NewMaxConnectionsPer1_0Server, 0,
     &R::OriginalMaxConnectionsPer1_0Server,
     &F::MaxConnectionsPer1_0ServerFound},
    {"MaxConnectionsPerServer", &R::NewMaxConnectionsPerServer, 0,
     &R::OriginalMaxConnectionsPerServer, &F::MaxConnectionsPerServerFound},
};

// GlobalMaxTcpWindoSize, without the second "w", is a value of its own that
// the 9x stack is given beside the correctly spelt one.
const TunedValue kMstcpValues[] = {
    {"SackOpts", nullptr, 1, nullptr, nullptr},
    {"Tcp1323Opts", nullptr, 1, nullptr, nullptr},
    {"DefaultTTL", &R::NewTTL, 0, &R::OriginalTTL, &F::TTLFound},
    {"DefaultRcvWindow", &R::NewRWIN, 0, &R::OriginalRWIN, &F::RWINFound},
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0, nullptr, nullptr},
    {"GlobalMaxTcpWindoSize", &R::NewRWIN, 0, nullptr, nullptr},
    {"PMTUBlackHoleDetect", &R::NewPMTUBlackHoleDetect, 0,
     &R::OriginalPMTUBlackHoleDetect, &F::PMTUBlackHoleDetectFound},
    {"PMTUDiscovery", &R::NewPMTUDiscovery, 0, &R::OriginalPMTUDiscovery,
     &F::PMTUDiscoveryFound},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0, &R::OriginalKeepAliveTime,
     &F::KeepAliveTimeFound},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0,
     &R::OriginalKeepAliveInterval, &F::KeepAliveIntervalFound},
};

const TunedValue kTcpipValues[] = {
    {"SackOpts", nullptr, 1, nullptr, nullptr},
    {"Tcp1323Opts", nullptr, 1, nullptr, nullptr},
    {"TcpMaxDupAcks", nullptr, 2, nullptr, nullptr},
    {"DefaultTTL", &R::NewTTL, 0, &R::OriginalTTL, &F::TTLFound},
    {"DefaultReceiveWindow", nullptr, 8192, nullptr, nullptr},
    {"TcpWindowSize", &R::NewRWIN, 0, &R::OriginalRWIN, &F::RWINFound},
    {"GlobalMaxTcpWindowSize", &R::NewRWIN, 0, nullptr, nullptr},
    {"EnablePMTUBHDetect", &R::NewPMTUBlackHoleDetect, 0,
     &R::OriginalPMTUBlackHoleDetect, &F::PMTUBlackHoleDetectFound},
    {"EnablePMTUDiscovery", &R::NewPMTUDiscovery, 0,
     &R::OriginalPMTUDiscovery, &F::PMTUDiscoveryFound},
    {"KeepAliveTime", &R::NewKeepAliveTime, 0, &R::OriginalKeepAliveTime,
     &F::KeepAliveTimeFound},
    {"KeepAliveInterval", &R::NewKeepAliveInterval, 0,
     &R::OriginalKeepAliveInterval, &F::KeepAliveIntervalFound},
    {"SYNAttackProtect", &R::NewSYNAttackProtect, 0,
     &R::OriginalSYNAttackProtect, &F::SYNAttackProtectFound},
    {kIcmpRedirectsValue, &R::NewEnableICMPRedirects, 0,
     &R::OriginalEnableICMPRedirects, &F::EnableICMPRedirectsFound},
};

const TunedValue kIcmpRedirect = {kIcmpRedirectValue,
                                  &R::NewEnableICMPRedirects, 0,
                                  &R::OriginalEnableICMPRedirects,
                                  &F::EnableICMPRedirectsFound};

const TunedValue kNdisWanMtu = {"IPMTU", &R::NewMTU, 0, &R::OriginalMTU,
                                 &F::MTUFound};

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
    {"MaxMTU", &R::NewMTU, 0, &R::OriginalMTU, &F::MTUFound},
    {"MaxMSS", &R::NewMSS, 0, &R::OriginalMSS, &F::MSSFound},
    "System\\CurrentControlSet\\Services\\Class\\Modem",
};

const FamilyLocations kFamilyNTLocations = {
    {kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Tcpip\\Parameters",
     kRegDword, true, kTcpipValues, CountOf(kTcpipValues)},
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces",
    {"MTU", &R::NewMTU, 0, &R::OriginalMTU, &F::MTUFound},
    {"MSS", &R::NewMSS, 0, &R::OriginalMSS, &F::MSSFound},
    "System\\CurrentControlSet\\Control\\Class\\"
    "{4D36E96D-E325-11CE-BFC1-08002BE10318}",
};

}  // namespace

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
