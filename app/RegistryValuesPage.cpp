#include "app/RegistryValuesPage.h"

#include <sstream>
#include <vector>

#include "app/WindowsVersion.h"
#include "store/RegistryLocations.h"

namespace velo {

namespace {

typedef SettingsRecord R;

struct Release {
  const char* name;
  VersionNumbers version;
  bool winsock2;
};

// Each release whose places differ from the one before it.
const Release kReleases[] = {
    {"Windows 95 without the Winsock 2 update", {1, 4, 0, 0}, false},
    {"Windows 95 with the Winsock 2 update", {1, 4, 0, 0}, true},
    {"Windows 98 and 98 SE", {1, 4, 10, 0}, true},
    {"Windows Me", {1, 4, 90, 0}, true},
    {"Windows NT 4.0 before Service Pack 4", {2, 4, 0, 3}, true},
    {"Windows NT 4.0 Service Pack 4", {2, 4, 0, 4}, true},
    {"Windows NT 4.0 Service Pack 5 and 6", {2, 4, 0, 6}, true},
    {"Windows 2000 before Service Pack 4", {2, 5, 0, 3}, true},
    {"Windows 2000 Service Pack 4, Windows XP", {2, 5, 1, 2}, true},
    {"Windows Server 2003", {2, 5, 2, 1}, true},
};

const struct {
  int32_t SettingsRecord::*field;
  const char* what;
} kFieldNames[] = {
    {&R::NewPMTUDiscovery, "path MTU discovery, 0 or 1"},
    {&R::NewPMTUBlackHoleDetect, "black hole detection, 0 or 1"},
    {&R::NewEnableICMPRedirects, "whether ICMP redirects are followed, 0 or 1"},
    {&R::NewMTU, "the MTU"},
    {&R::NewMSS, "the MSS"},
    {&R::NewRWIN, "the receive window"},
    {&R::NewTTL, "the TTL"},
    {&R::NewKeepAliveTime, "the keep-alive time"},
    {&R::NewKeepAliveInterval, "the keep-alive interval"},
    {&R::NewSYNAttackProtect, "the SYN attack protection level"},
    {&R::NewMaxConnectionsPer1_0Server, "connections per HTTP 1.0 server"},
    {&R::NewMaxConnectionsPerServer, "connections per HTTP 1.1 server"},
};

std::string WhatIsWritten(const TunedValue& value) {
  if (value.numberFor == &WindowScalingOption)
    return "1 (window scaling) where the receive window is beyond 65535, "
           "else 0";
  if (!value.newField) {
    std::ostringstream fixed;
    fixed << value.fixedNumber;
    if (value.fixedNumber > 9)
      fixed << " (0x" << std::hex << value.fixedNumber << ")";
    return fixed.str();
  }
  for (const auto& field : kFieldNames)
    if (field.field == value.newField) return field.what;
  return "";
}

const char* TypeName(RegType type) {
  return type == kRegDword ? "REG_DWORD" : "REG_SZ (decimal text)";
}

class Page {
 public:
  void Row(const std::string& key, const TunedValue& value, RegType type,
           const std::string& note = std::string()) {
    out_ << "| `" << key << "` | `" << value.name << "` | " << TypeName(type)
         << " | " << WhatIsWritten(value) << note << " | " << value.source
         << " |\n";
  }
  void Line(const std::string& text) { out_ << text << "\n"; }
  std::string Text() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

void TunedRows(Page& page, const TunedKey& key, RegType type,
               const WindowsLimits& limits, const std::string& icmpName,
               std::vector<const TunedValue*>* notRead) {
  for (size_t i = 0; i < key.valueCount; ++i) {
    const TunedValue& value = key.values[i];
    const bool icmp = value.name == std::string(kIcmpRedirectsValue);
    if ((value.readBy && !value.readBy(limits)) || (icmp && icmpName.empty())) {
      notRead->push_back(&value);
      continue;
    }
    std::string note;
    if (value.newField == &R::NewSYNAttackProtect) {
      note = ", at most " + std::to_string(limits.strongestSynAttackProtect);
    }
    page.Row(key.path, AsRead(value, icmpName), type, note);
  }
}

void ReleaseSection(Page& page, const Release& release) {
  CWindowsVersion version(release.version);
  WindowsFamily family = kFamilyNT;
  version.Classify(&family);
  const WindowsLimits limits = version.Limits(release.winsock2);
  const FamilyLocations& at = LocationsOf(family);
  const bool is9x = family == kFamily9x;
  const std::string icmpName = is9x ? "" : IcmpRedirectName(limits);
  page.Line("## " + std::string(release.name));
  page.Line("");
  page.Line("| Key | Value | Type | Finish writes | Source |");
  page.Line("|---|---|---|---|---|");
  std::vector<const TunedValue*> notRead;
  const TunedKey& browser = BrowserKey();
  TunedRows(page, browser, browser.type, limits, icmpName, &notRead);
  const RegType tcpipType =
      is9x && !limits.mstcpTakesText ? kRegDword : at.tcpip.type;
  TunedRows(page, at.tcpip, tcpipType, limits, icmpName, &notRead);
  if (*limits.windowCapName)
    page.Row(kMstcpParametersKey, WindowCap(limits.windowCapName), kRegDword);
  const DeviceLayout layout = DeviceLayoutOf(family, limits);
  const std::string device =
      layout == kBindings9x
          ? DeviceKeyPath(layout, "<binding>")
          : layout == kBoundAdaptersNT4 ? DeviceKeyPath(layout, "<adapter>")
                                        : DeviceKeyPath(layout, "<interface>");
  const char* carried =
      layout == kBindings9x
          ? ", on each binding of an adapter that carries the connection"
          : limits.readsPppProtocolMtu || layout == kBoundAdaptersNT4
                ? ", on each network card's (LAN, cable, DSL)"
                : ", on each interface that carries the connection";
  for (const TunedValue* value : {&at.deviceMtu, &at.deviceMss}) {
    if (value->readBy && !value->readBy(limits))
      notRead.push_back(value);
    else
      page.Row(device, *value, at.tcpip.type, carried);
  }
  if (limits.readsNdisWanMtu)
    page.Row(kNdisWanParametersKey, NdisWanMtu(), kRegDword,
             " (dial-up and DSL, where a RAS adapter is bound)");
  if (limits.readsPppProtocolMtu) {
    size_t count = 0;
    const TunedValue* ppp = PppProtocolValues(&count);
    for (size_t i = 0; i < count; ++i)
      page.Row(kPppProtocolKey, ppp[i], kRegDword, " (dial-up and DSL)");
  }
  page.Line("");
  if (!notRead.empty()) {
    page.Line("Not written here, for this version of Windows does not read them:");
    page.Line("");
    for (const TunedValue* value : notRead)
      page.Line("- `" + std::string(value->name) + "` (" + value->source + ")");
    page.Line("");
  }
  if (layout == kBoundAdaptersNT4 && !limits.readsNdisWanMtu) {
    page.Line("RAS sends every dial-up connection with a fixed MTU of 1500 "
              "(KB 183229): the wizard writes no dial-up MTU and says so.");
    page.Line("");
  }
  if (limits.readsPppProtocolMtu) {
    page.Line("PPP connections (modem, ISDN, a cable between computers, "
              "PPPoE) go out with the one MTU of NdisWan's `Protocols\\0`, "
              "1500 when it sets none (KB 826159); a restart applies it. "
              "The interfaces of the WAN miniports get no MTU.");
    page.Line("");
  }
  if (is9x) {
    page.Line("`MaxMTU` is a ceiling: Dial-Up Networking with its IP Packet "
              "Size left at Automatic sends 576-byte packets below 128 "
              "kbit/s (KB 183437).");
    page.Line("");
  }
}

}  // namespace

std::string RegistryValuesPage() {
  Page page;
  page.Line("# What Velocine writes, where, and why");
  page.Line("");
  page.Line("Made from the program's own location tables; do not edit by "
            "hand (`scripts/registry-values.sh` writes it again). Every key "
            "is under `HKEY_LOCAL_MACHINE` but the browser's, which is under "
            "`HKEY_CURRENT_USER`. Before Finish writes a value it keeps what "
            "the value held in the backup, and the keys it has to make, so "
            "that Reset puts back exactly what was there.");
  page.Line("");
  for (const Release& release : kReleases) ReleaseSection(page, release);
  return page.Text();
}

}  // namespace velo
