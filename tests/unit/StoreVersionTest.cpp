// Each Windows version on the machine run.sh gives it (scripts/machines/):
// which values /set (Finish with the recommendations) writes where, what
// the log says it left alone, and that /reset gives back exactly what was
// there, also from a backup laid out as the program kept it before the MTU
// followed the connection.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/CommandRun.h"
#include "app/WindowsVersion.h"
#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/Restore.h"
#include "support/FaultInjectingRegistry.h"
#include "support/MapTexts.h"
#include "support/RegeditReader.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

// The keys that hold each device's MTU on a machine, "" where it has none:
// `other` is a third device, an interface whose adapter is not described on
// 2000, XP and 2003, the VPN adapter on the German 98, and on NT 4.0 RAS's
// own parameters, whose MTU is `otherMtu` and which have no MSS.
struct Machine {
  const char* file;
  WindowsFamily family;
  std::string card, dialUp, other;
  const char* otherMtu = nullptr;  // null: the family's MTU and MSS
};
const std::string kServices = "HKLM\\System\\CurrentControlSet\\Services\\";
const Machine k9x{"9x", kFamily9x, kServices + "Class\\NetTrans\\0001",
                  kServices + "Class\\NetTrans\\0000", ""};
const Machine k98German{"98-de", kFamily9x, kServices + "Class\\NetTrans\\0001",
                        kServices + "Class\\NetTrans\\0000",
                        kServices + "Class\\NetTrans\\0002"};
const Machine kNT4{"nt40", kFamilyNT, kServices + "E100B1\\Parameters\\Tcpip",
                   kServices + "NdisWan5\\Parameters\\Tcpip",
                   kServices + "NdisWan\\Parameters", "IPMTU"};
const std::string kInterface = std::string(kInterfacesKeyName) + "\\{";
const Machine kNT5{"nt5", kFamilyNT, kInterface + "6E1F6AB0-3C4D-4A2B-9F10-1A2B3C4D5E6F}",
                   kInterface + "9A8B7C6D-5E4F-4A3B-8C2D-0F1E2D3C4B5A}",
                   kInterface + "C4D5E6F7-0A1B-4C2D-9E3F-5A6B7C8D9E0F}"};
const char kDialUpAdapter9x[] = "HKLM\\Enum\\Root\\Net\\0000";
const char kCard9x[] = "HKLM\\Enum\\PCI\\VEN_10EC&DEV_8139";
const char kBindNT4[] = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Linkage";

struct Row {
  const char* what;
  VersionNumbers version;
  bool winsock2;
  const char* removed;  // a key taken off the machine first, or null
  const char* arguments;
  int32_t cardMtu, dialUpMtu, otherMtu;  // 0: left as it was
  int32_t receiveWindow, synAttackProtect;     // 0: not written
  const char* icmpRedirectName;                // null: not written
  // Run on the machine before everything, and between /set and /reset (as
  // another program would change it), or null.
  void (*prepare)(Registry&) = nullptr;
  void (*betweenSetAndReset)(Registry&) = nullptr;
  const char* refused = nullptr;  // a key that refuses to open, or null
  bool mtuNotRead = false;  // the closing message says an MTU is not read
  int32_t pppMtu = 0;  // PPP's MTU on 2000, XP, 2003; 0: left as it was
};
const VersionNumbers k95{1, 4, 0}, k98{1, 4, 10}, kMe{1, 4, 90},
    kNT40{2, 4, 0}, k2000{2, 5, 0}, kXP{2, 5, 1}, k2003{2, 5, 2},
    kNT40SP3{2, 4, 0, 3}, kNT40SP6{2, 4, 0, 6}, k2000SP2{2, 5, 0, 2},
    k2000SP4{2, 5, 0, 4}, k2003SP1{2, 5, 2, 1};
const char kPlural[] = "EnableICMPRedirects";
const char kSingular[] = "EnableICMPRedirect";

// "HKEY_LOCAL_MACHINE\\System" -> "HKLM\\System", as the tests name keys.
std::string RootedKeyOf(const std::string& regeditPath) {
  const bool machineKey = regeditPath.compare(0, 19, "HKEY_LOCAL_MACHINE\\") == 0;
  return (machineKey ? "HKLM\\" : "HKCU\\") +
         regeditPath.substr(regeditPath.find('\\') + 1);
}

void LoadMachine(Registry& registry, const Machine& machine) {
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() /
                   "../../scripts/machines" / (std::string(machine.file) + ".reg"));
  std::string text;
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, 1, ";") != 0) text += line + "\r\n";  // no comments
  std::vector<RegeditKey> keys;
  std::string error;
  ASSERT_TRUE(ReadRegedit4(text, &keys, &error)) << error;
  for (const RegeditKey& key : keys) {
    const std::string rooted = RootedKeyOf(key.path);
    MakeKey(registry, rooted);
    for (const auto& value : key.values) Put(registry, rooted, value.first, value.second);
  }
}

RegValue At(Registry& registry, const std::string& key, const char* name) {
  RegValue value;
  return Get(registry, key, name, &value) ? value : RegValue();
}

// The number `key` holds as `name`, which must be of `type` (decimal text
// or a DWORD); 0 when absent, -1 when of another type.
int32_t NumberAt(Registry& registry, const std::string& key, const char* name,
                 RegType type) {
  RegValue value = At(registry, key, name);
  if (value.type == kRegNone) return 0;
  if (value.type != type || (type == kRegDword && value.data.size() != 4)) {
    ADD_FAILURE() << key << " : " << name << " has type " << value.type
                  << ", not " << type;
    return -1;
  }
  if (type != kRegDword) return std::stoi(value.AsText());
  return static_cast<int32_t>(value.data[0] | value.data[1] << 8 |
                              value.data[2] << 16 | value.data[3] << 24);
}

// Windows 95/98/Me keep a string up to its NUL, whatever length it is given.
RegistrySnapshot Settings(Registry& registry) {
  RegistrySnapshot settings = RegistrySnapshot::Take(
      registry, {{kHkeyLocalMachine, "System"}, {kHkeyLocalMachine, "Enum"},
                 {kHkeyCurrentUser, std::string(kBrowserKeyName).substr(5)}});
  settings.ForEachValue([](RegValue& v) {
    if (v.type == kRegSz) v = RegValue::Text(v.AsText());
  });
  return settings;
}

// What was there stays where a row expects 0 or no ICMP redirect name.
void ExpectWritten(Registry& registry, const Row& row, const Machine& machine,
                   const RegistrySnapshot& before) {
  const bool nt = machine.family == kFamilyNT;
  auto wasAt = [&](const std::string& key, const char* name) {
    const RegValue* was = before.Find(key, name);
    return was ? *was : RegValue();
  };
  const char* mtu = nt ? "MTU" : "MaxMTU";
  const bool text = CWindowsVersion(row.version).Limits(row.winsock2).mstcpTakesText;
  const RegType form = nt || !text ? kRegDword : kRegSz;
  const RegType deviceForm = nt ? kRegDword : kRegSz;  // NetTrans keeps text
  const std::pair<const std::string&, int32_t> devices[] = {
      {machine.card, row.cardMtu},
      {machine.dialUp, row.dialUpMtu},
      {machine.other, row.otherMtu}};
  for (const auto& device : devices) {
    if (device.first.empty()) continue;
    const bool mtuAlone = &device.first == &machine.other && machine.otherMtu;
    const char* name = mtuAlone ? machine.otherMtu : mtu;
    if (device.second == 0)
      EXPECT_EQ(wasAt(device.first, name), At(registry, device.first, name)) << device.first;
    else if (mtuAlone)
      EXPECT_EQ(device.second, NumberAt(registry, device.first, name, kRegDword))
          << device.first;
    else if (nt)  // TCP takes the MSS from the MTU: none is written
      EXPECT_EQ(std::make_pair(device.second, wasAt(device.first, "MSS")),
                std::make_pair(NumberAt(registry, device.first, mtu, deviceForm),
                               At(registry, device.first, "MSS")))
          << device.first;
    else
      EXPECT_EQ(std::make_pair(device.second, device.second - 40),
                std::make_pair(NumberAt(registry, device.first, mtu, deviceForm),
                               NumberAt(registry, device.first, "MaxMSS",
                                        deviceForm)))
          << device.first;
  }
  // 98 and Me read the window cap as a DWORD below their TCP/IP key.
  const WindowsLimits limits = CWindowsVersion(row.version).Limits(row.winsock2);
  const std::string capKey = kServices + "VxD\\MSTCP\\Parameters";
  for (const char* cap : {"GlobalMaxTcpWindowSize", "GlobalMaxTcpWindoSize"}) {
    if (!nt && std::string(cap) == limits.windowCapName)
      EXPECT_EQ(row.receiveWindow, NumberAt(registry, capKey, cap, kRegDword));
    else
      EXPECT_EQ(wasAt(capKey, cap), At(registry, capKey, cap)) << cap;
    if (!nt) EXPECT_EQ(wasAt(kMstcpKeyName, cap), At(registry, kMstcpKeyName, cap));
  }
  // PPP's MTU on 2000, XP and 2003, in the entry that names IP over PPP;
  // whatever else the entry holds stays.
  const std::string ppp = kServices + "NdisWan\\Parameters\\Protocols\\0";
  if (row.pppMtu == 0) {
    for (const char* name : {"ProtocolMTU", "ProtocolType", "PPPProtocolType"})
      EXPECT_EQ(wasAt(ppp, name), At(registry, ppp, name)) << name;
  } else {
    EXPECT_EQ(row.pppMtu, NumberAt(registry, ppp, "ProtocolMTU", kRegDword));
    EXPECT_EQ(0x800, NumberAt(registry, ppp, "ProtocolType", kRegDword));
    EXPECT_EQ(0x21, NumberAt(registry, ppp, "PPPProtocolType", kRegDword));
  }
  EXPECT_EQ(wasAt(ppp, "TunnelMTU"), At(registry, ppp, "TunnelMTU"));
  const std::string tcpip = nt ? kTcpipKeyName : kMstcpKeyName;
  EXPECT_EQ(row.receiveWindow,
            NumberAt(registry, tcpip, nt ? "TcpWindowSize" : "DefaultRcvWindow",
                     form));
  EXPECT_EQ(row.synAttackProtect,
            NumberAt(registry, tcpip, "SYNAttackProtect", form));
  for (const char* name : {kPlural, kSingular}) {
    const bool read = row.icmpRedirectName && std::string(name) == row.icmpRedirectName;
    EXPECT_EQ(read ? RegValue::Dword(0) : wasAt(tcpip, name), At(registry, tcpip, name))
        << name;
  }
}

// /export read back as regedit reads it: each value the file writes is the
// one the machine held before /set, under its own name in its own key, and
// importing the file over the tuned machine puts back every value /set
// changed (only one that /set made stays: a file cannot delete).
void ExpectExportPutsBackTheOriginals(CommandMachine& command,
                                      Registry& memory,
                                      const RegistrySnapshot& before) {
  std::string file;
  command.writeFile = [&file](const std::string&, const std::string& bytes) {
    file = bytes;
    return true;
  };
  const CommandResult exported =
      RunCommand(ParseCommandLine("/export a.reg"), command);
  ASSERT_EQ(kExitDone, exported.exitCode) << exported.outcome;
  std::vector<RegeditKey> keys;
  std::string error;
  ASSERT_TRUE(ReadRegedit4(file, &keys, &error)) << error;
  RegistrySnapshot imported = Settings(memory);
  for (const RegeditKey& key : keys) {
    const std::string rooted = RootedKeyOf(key.path);
    for (const auto& value : key.values) {
      const RegValue read = value.second.type == kRegSz
                                ? RegValue::Text(value.second.AsText())
                                : value.second;
      const RegValue* was = before.Find(rooted, value.first);
      EXPECT_TRUE(was && *was == read)
          << "the file writes " << rooted << " : " << value.first
          << (was ? ", which held another value" : ", which did not exist");
      imported.Set(rooted, value.first, read);
    }
  }
  for (const std::string& difference : before.Differences(imported))
    EXPECT_EQ(0u, difference.find("extra ")) << "after the import: "
                                              << difference;
}

// The old layout: 9x recorded the dial-up binding only, NT looked for
// interfaces alone; its Finish wrote there (dial-up on 9x, every NT
// interface as DSL does now). Reset must give all of it back.
void ResetFromTodaysBackup(const Machine& machine) {
  SCOPED_TRACE("a backup of the old layout");
  const bool nt = machine.family == kFamilyNT;
  MemoryRegistry registry;
  LoadMachine(registry, machine);
  const RegistrySnapshot before = Settings(registry);
  SettingsRecord record;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(registry, machine.family, record, found).Succeeded());
  RegKey entries(registry);
  for (const char* sub : {"\\MTU Settings", "\\MSS Settings"})
    if (!nt && entries.Open(kHkeyCurrentUser, std::string(kBackupKey) + sub,
                            kAccessReadWrite) == kRegOk)
      entries.Delete(machine.card.substr(machine.card.size() - 4));
  record.ConnectionType = nt ? kDsl : kDialUp;
  record.NewMTU = 1000;
  ASSERT_TRUE(ApplySettings(registry, machine.family, record, 0).Succeeded());
  ASSERT_EQ(kRestoredAll, RestoreBackup(registry, machine.family).result);
  EXPECT_EQ(std::vector<std::string>(), before.Differences(Settings(registry)));
}

void RunVersionTable(const Machine& machine, const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry memory;
    LoadMachine(memory, machine);
    if (row.removed) RemoveKey(memory, row.removed);
    if (row.prepare) row.prepare(memory);
    const RegistrySnapshot before = Settings(memory);
    // The program sees the machine as Windows shows it to the user.
    FaultInjectingRegistry registry(memory);
    if (row.refused) registry.FailOpensOf(row.refused, kRegAccessDenied);
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}, {"56", "[MTU and MSS left alone]"},
                   {"MtuNotRead", "[MTU not read]"},
                   {"DialUpMtuCeiling", "[576 below 128 kbit/s]"}};
    CommandMachine command{
        registry, true, machine.family, CWindowsVersion(row.version).Limits(row.winsock2),
        false, texts, [](const std::string&, const std::string&) { return true; }};
    const CommandResult done = RunCommand(ParseCommandLine(row.arguments), command);
    EXPECT_EQ(kExitDone, done.exitCode);
    // Dial-Up Networking sends 576 below 128 kbit/s while the IP Packet
    // Size is Automatic: an MTU above it on 9x's dial-up adapters is a
    // ceiling only (KB 183437), and the user is told.
    const bool ceiling = machine.family == kFamily9x &&
                         (row.dialUpMtu > 576 || row.otherMtu > 576);
    EXPECT_EQ(std::string(row.mtuNotRead ? "[boosted] [MTU not read]"
              : row.cardMtu || row.dialUpMtu || row.otherMtu || row.pppMtu
                  ? "[boosted]" : "[boosted] [MTU and MSS left alone]") +
                  (ceiling ? " [576 below 128 kbit/s]" : ""),
              done.outcome);
    ExpectWritten(memory, row, machine, before);
    ExpectExportPutsBackTheOriginals(command, memory, before);
    RegistrySnapshot expected = before;
    if (row.betweenSetAndReset) {
      MemoryRegistry changed;
      LoadMachine(changed, machine);
      if (row.removed) RemoveKey(changed, row.removed);
      if (row.prepare) row.prepare(changed);
      row.betweenSetAndReset(changed);
      row.betweenSetAndReset(memory);
      expected = Settings(changed);
    }
    EXPECT_EQ(kExitDone, RunCommand(ParseCommandLine("/reset"), command).exitCode);
    EXPECT_EQ(std::vector<std::string>(), expected.Differences(Settings(memory)));
  }
  ResetFromTodaysBackup(machine);
}

// The Dial-Up Adapter named by its second id only: its own first.
void DialUpIdSecond(Registry& registry) {
  Put(registry, kDialUpAdapter9x, "HardwareID",
      RegValue::Text("ROOT\\NET\\0000,*PNP8387"));
  Put(registry, kDialUpAdapter9x, "CompatibleIDs",
      RegValue::Text("ROOT\\NET,*pnp8387"));
}
// MSTCP's Parameters there, with a cap a user set and a value of others'.
void CapOfItsOwn(Registry& registry) {
  const std::string parameters =
      "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP\\Parameters";
  Put(registry, parameters, "GlobalMaxTcpWindoSize", RegValue::Dword(32767));
  Put(registry, parameters, "EnableDNS", RegValue::Text("1"));
}
// The cap as earlier tuners gave it, where 98 never reads it: left alone.
void CapsAsText(Registry& registry) {
  Put(registry, kMstcpKeyName, "GlobalMaxTcpWindowSize", RegValue::Text("32767"));
  Put(registry, kMstcpKeyName, "GlobalMaxTcpWindoSize", RegValue::Text("32767"));
}

// Each binding with an MSS of its own, the card's without a MaxMTU.
void GiveBindingsAnMss(Registry& registry) {
  Put(registry, k9x.dialUp, "MaxMSS", RegValue::Text("1460"));
  Put(registry, k9x.card, "MaxMSS", RegValue::Text("1400"));
}

// A network card taken out: its Enum key goes, its binding stays.
void RemoveCard9x(Registry& registry) { RemoveKey(registry, kCard9x); }

// The Dial-Up Adapter's binding carries dial-up, the card's LAN and cable,
// DSL (PPPoE through the Dial-Up Adapter over the card) both. No window
// above 65,535 is proposed; 95 without the Winsock 2 update takes none.
TEST(StoreVersion, Windows95To98AndMe) {
  RunVersionTable(k9x, {
      {"95, dial-up", k95, true, nullptr, "/set dialup", 0, 576, 0, 6432, 0, nullptr},
      {"95 with WS2_32.DLL, LAN", k95, true, nullptr, "/set lan", 1500, 0, 0, 64240, 0, nullptr},
      {"95 without WS2_32.DLL, LAN", k95, false, nullptr, "/set lan", 1500, 0, 0, 64240, 0, nullptr},
      {"98, DSL", k98, false, nullptr, "/set dsl", 1492, 1492, 0, 63888, 0, nullptr},
      {"Me, cable", kMe, false, nullptr, "/set cable", 1500, 0, 0, 64240, 0, nullptr},
      {"98 without a Dial-Up Adapter, dial-up", k98, true, kDialUpAdapter9x,
       "/set dialup", 0, 0, 0, 6432, 0, nullptr},
      {"Me without a network card, LAN", kMe, true, kCard9x, "/set lan",
       0, 0, 0, 64240, 0, nullptr},
      {"98, LAN, the card removed before Reset", k98, true, nullptr, "/set lan",
       1500, 0, 0, 64240, 0, nullptr, nullptr, RemoveCard9x},
      {"98, the Dial-Up Adapter's id second in its lists, dial-up", k98, true,
       nullptr, "/set dialup", 0, 576, 0, 6432, 0, nullptr, DialUpIdSecond},
      {"98 with MSTCP's Parameters and a cap of its own, DSL", k98, true, nullptr,
       "/set dsl", 1492, 1492, 0, 63888, 0, nullptr, CapOfItsOwn},
      {"98 SE with the cap under both names in MSTCP as text, cable", k98, true,
       nullptr, "/set cable", 1500, 0, 0, 64240, 0, nullptr, CapsAsText},
      {"98, DSL, each binding with an MSS", k98, true, nullptr, "/set dsl",
       1492, 1492, 0, 63888, 0, nullptr, GiveBindingsAnMss},
  });
}

// The DFÜ-Adapter and the VPN adapter are told by their ids: both carry
// dial-up and DSL, and LAN leaves them alone.
TEST(StoreVersion, GermanWindows98) {
  RunVersionTable(k98German, {
      {"dial-up", k98, true, nullptr, "/set dialup", 0, 576, 576, 6432, 0, nullptr},
      {"LAN", k98, true, nullptr, "/set lan", 1500, 0, 0, 64240, 0, nullptr},
      {"DSL", k98, true, nullptr, "/set dsl", 1492, 1492, 1492, 63888, 0, nullptr},
  });
}

// RAS's one MTU for every dial-up connection, set as KB 183229 says.
void SetRasMtu(Registry& registry) {
  Put(registry, kServices + "NdisWan\\Parameters", "IPMTU", RegValue::Dword(1400));
}

// NT 4.0's list of devices bound to TCP/IP, each ended by a NUL.
RegValue BindList(const std::string& devices) {
  RegValue list = RawText(devices + std::string(2, '\0'));
  list.type = kRegMultiSz;
  return list;
}
// TCP/IP bound to the card and, in capitals as a setup program may write
// it, to RAS's adapter.
void BindInCapitals(Registry& registry) {
  Put(registry, kBindNT4, "Bind",
      BindList(std::string("\\DEVICE\\E100B1") + '\0' + "\\DEVICE\\NDISWAN5"));
}
// The card with no MTU of its own.
void RemoveCardMtu(Registry& registry) {
  RegKey card(registry);
  ASSERT_EQ(kRegOk, card.Open(kHkeyLocalMachine,
                              kNT4.card.substr(5), kAccessReadWrite));
  ASSERT_EQ(kRegOk, card.Delete("MTU"));
}
// TCP/IP bound to the card alone: no RAS adapter carries a connection.
void BindCardOnly(Registry& registry) {
  Put(registry, kBindNT4, "Bind", BindList("\\Device\\E100B1"));
}
// RAS reconfigured: TCP/IP now bound to another NdisWan adapter only.
void RebindRas(Registry& registry) {
  Put(registry, kBindNT4, "Bind",
      BindList("\\Device\\NdisWan7"));
  MakeKey(registry, kServices + "NdisWan7\\Parameters\\Tcpip");
}

// RAS with a dial-up MTU of its own, the card with an MSS.
void GiveRasAnMtu(Registry& registry) {
  Put(registry, kNT4.other, "IPMTU", RegValue::Dword(1400));
  Put(registry, kNT4.card, "MSS", RegValue::Dword(1460));
}

// The card carries LAN and cable. RAS reads no MTU of its own before
// Service Pack 4 (it sends 1500 whatever the NdisWan adapter says) and from
// it one for every dial-up connection, in NdisWan's parameters; DSL covers
// both. The ICMP redirect value is read from Service Pack 5 only. Reset
// puts back every adapter Finish wrote, bound or not by then.
TEST(StoreVersion, NT40) {
  RunVersionTable(kNT4, {
      {"SP3, dial-up", kNT40SP3, true, nullptr, "/set dialup", 0, 0, 0, 6432, 1, nullptr,
       nullptr, nullptr, nullptr, true},
      {"SP6, dial-up", kNT40SP6, true, nullptr, "/set dialup", 0, 0, 576, 6432, 1, kPlural},
      {"SP6, LAN", kNT40SP6, true, nullptr, "/set lan", 1500, 0, 0, 64240, 1, kPlural},
      {"SP6, DSL", kNT40SP6, true, nullptr, "/set dsl", 1492, 0, 1492, 63888, 1, kPlural},
      {"SP4, DSL", {2, 4, 0, 4}, true, nullptr, "/set dsl", 1492, 0, 1492, 63888, 1, nullptr},
      {"SP3, DSL", kNT40SP3, true, nullptr, "/set dsl", 1492, 0, 0, 63888, 1, nullptr,
       nullptr, nullptr, nullptr, true},
      {"no adapter bound, cable", kNT40SP6, true, kBindNT4, "/set cable",
       0, 0, 0, 64240, 1, kPlural},
      {"SP6, bound in capitals, dial-up", kNT40SP6, true, nullptr, "/set dialup",
       0, 0, 576, 6432, 1, kPlural, BindInCapitals},
      {"SP6, RAS reconfigured before Reset, DSL", kNT40SP6, true, nullptr, "/set dsl",
       1492, 0, 1492, 63888, 1, kPlural, nullptr, RebindRas},
      {"SP6, a card without an MTU unbound before Reset, LAN", kNT40SP6, true,
       nullptr, "/set lan", 1500, 0, 0, 64240, 1, kPlural, RemoveCardMtu, RebindRas},
      {"SP6, no dial-up adapter bound, DSL", kNT40SP6, true, nullptr, "/set dsl",
       1492, 0, 0, 63888, 1, kPlural, BindCardOnly},
      {"SP3, RAS reconfigured before Reset, LAN", kNT40SP3, true, nullptr, "/set lan",
       1500, 0, 0, 64240, 1, nullptr, nullptr, RebindRas},
      {"SP6, RAS's own MTU set, dial-up", kNT40SP6, true, nullptr, "/set dialup",
       0, 0, 576, 6432, 1, kPlural, GiveRasAnMtu},
  });
}

const std::string kNetworkClass =
    "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const std::string kCardClass = kNetworkClass + "\\0007";
const std::string kWanClass = kNetworkClass + "\\0003";
const std::string kClassProperties = kNetworkClass + "\\Properties";

// The card a wireless one: its interface type says so, nothing else.
void MakeCardWireless(Registry& registry) {
  Put(registry, kCardClass, "ComponentId", RegValue::Text("pci\\ven_168c&dev_0013"));
  Put(registry, kCardClass, "Characteristics", RegValue::Dword(0x80));
  Put(registry, kCardClass, "*IfType", RegValue::Dword(71));
}
// The WAN miniport the PPPoE one.
void MakeWanPppoe(Registry& registry) {
  Put(registry, kWanClass, "ComponentId", RegValue::Text("ms_pppoe"));
}
// The WAN miniport a PPPoE adapter of another maker's, physical but of the
// PPP interface type.
void MakeWanPppAdapter(Registry& registry) {
  Put(registry, kWanClass, "ComponentId", RegValue::Text("raspppoe"));
  Put(registry, kWanClass, "Characteristics", RegValue::Dword(0x84));
  Put(registry, kWanClass, "*IfType", RegValue::Dword(23));
}

const std::string kNdisWanParameters = kServices + "NdisWan\\Parameters";
const std::string kPppEntry = kNdisWanParameters + "\\Protocols\\0";
// PPP's MTU set as KB 826159 says.
void SetPppMtu(Registry& registry) {
  Put(registry, kPppEntry, "ProtocolType", RegValue::Dword(0x800));
  Put(registry, kPppEntry, "PPPProtocolType", RegValue::Dword(0x21));
  Put(registry, kPppEntry, "ProtocolMTU", RegValue::Dword(1400));
}
// Only a VPN's MTU set in the entry.
void SetVpnMtu(Registry& registry) {
  Put(registry, kPppEntry, "TunnelMTU", RegValue::Dword(1400));
}
// The first entry describes another protocol (IPX): its MTU is not IP's.
void SetOtherProtocol(Registry& registry) {
  Put(registry, kPppEntry, "ProtocolType", RegValue::Dword(0x8137));
  Put(registry, kPppEntry, "ProtocolMTU", RegValue::Dword(1400));
}

// An MTU on the WAN interface, which PPP does not use.
void SetWanInterfaceMtu(Registry& registry) {
  Put(registry, kNT5.dialUp, "MTU", RegValue::Dword(576));
}

// Each interface with an MSS of its own.
void GiveInterfacesAnMss(Registry& registry) {
  for (const std::string* key : {&kNT5.card, &kNT5.dialUp, &kNT5.other})
    Put(registry, *key, "MSS", RegValue::Dword(1460));
}

// The WAN miniport's interface carries dial-up, the card's LAN and cable,
// DSL both; an interface whose adapter is not described gets every MTU. A
// wireless card is a card, a PPPoE miniport or any adapter of the PPP type
// dial-up. 2000 before Service Pack 4 is recommended SYN protection 1.
TEST(StoreVersion, Windows2000XPAnd2003) {
  Row rows[] = {
      {"2000, dial-up", k2000, true, nullptr, "/set dialup", 0, 0, 0, 6432, 1, kSingular},
      {"2000 SP2, LAN", k2000SP2, true, nullptr, "/set lan", 1500, 0, 1500, 256960, 1, kSingular},
      {"2000 SP4, LAN", k2000SP4, true, nullptr, "/set lan", 1500, 0, 1500, 256960, 2, kSingular},
      {"XP, LAN", kXP, true, nullptr, "/set lan", 1500, 0, 1500, 256960, 2, kSingular},
      {"XP, DSL", kXP, true, nullptr, "/set dsl", 1492, 0, 1492, 255552, 2, kSingular},
      {"2003, cable", k2003, true, nullptr, "/set cable", 1500, 0, 1500, 256960, 1, kSingular},
      {"2003 SP1, cable", k2003SP1, true, nullptr, "/set cable", 1500, 0, 1500, 256960, 1, kSingular},
      {"XP, wireless card, dial-up", kXP, true, nullptr, "/set dialup",
       0, 0, 0, 6432, 2, kSingular, MakeCardWireless},
      {"XP, wireless card, LAN", kXP, true, nullptr, "/set lan",
       1500, 0, 1500, 256960, 2, kSingular, MakeCardWireless},
      {"XP, PPPoE miniport, LAN", kXP, true, nullptr, "/set lan",
       1500, 0, 1500, 256960, 2, kSingular, MakeWanPppoe},
      {"XP, PPPoE miniport, dial-up", kXP, true, nullptr, "/set dialup",
       0, 0, 0, 6432, 2, kSingular, MakeWanPppoe},
      {"XP, PPP adapter, LAN", kXP, true, nullptr, "/set lan",
       1500, 0, 1500, 256960, 2, kSingular, MakeWanPppAdapter},
      {"XP, the class's Properties refused, LAN", kXP, true, nullptr, "/set lan",
       1500, 0, 1500, 256960, 2, kSingular, nullptr, nullptr, kClassProperties.c_str()},
      {"2003, PPP's MTU set before, dial-up", k2003, true, nullptr, "/set dialup",
       0, 0, 0, 6432, 1, kSingular, SetPppMtu},
      {"XP, a VPN's MTU there, DSL", kXP, true, nullptr, "/set dsl",
       1492, 0, 1492, 255552, 2, kSingular, SetVpnMtu},
      {"2000 SP4, NdisWan's parameters gone, dial-up", k2000SP4, true,
       kNdisWanParameters.c_str(), "/set dialup", 0, 0, 0, 6432, 2, kSingular},
      {"XP, PPP's entry another protocol's, dial-up", kXP, true, nullptr,
       "/set dialup", 0, 0, 0, 6432, 2, kSingular, SetOtherProtocol},
      {"XP, each interface with an MSS, DSL", kXP, true, nullptr, "/set dsl",
       1492, 0, 1492, 255552, 2, kSingular, GiveInterfacesAnMss},
  };
  // PPP sends with the MTU of NdisWan's Protocols\0 (KB 826159), made
  // where missing; the WAN interface's MTU is not PPP's.
  for (Row& row : rows)
    if ((std::string(row.arguments) == "/set dialup" ||
         std::string(row.arguments) == "/set dsl") &&
        row.prepare != SetOtherProtocol)
      row.pppMtu = std::string(row.arguments) == "/set dsl" ? 1492 : 576;
  RunVersionTable(kNT5, std::vector<Row>(std::begin(rows), std::end(rows)));
}

// The originals of PPP's entry, which did not exist, are no value to
// export; those of an entry that was there are, under its own key.
TEST(StoreVersion, TheExportHoldsTheOriginalsOfPppsEntry) {
  MemoryRegistry registry;
  LoadMachine(registry, kNT5);
  SetPppMtu(registry);
  MapTexts texts;
  std::string exported;
  CommandMachine command{
      registry, true, kFamilyNT, CWindowsVersion(kXP).Limits(true), false, texts,
      [&](const std::string&, const std::string& bytes) {
        exported = bytes;
        return true;
      }};
  ASSERT_EQ(kExitDone, RunCommand(ParseCommandLine("/set dialup"), command).exitCode);
  ASSERT_EQ(kExitDone, RunCommand(ParseCommandLine("/export a.reg"), command).exitCode);
  const std::string entry =
      "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\NdisWan\\"
      "Parameters\\Protocols\\0]\r\n";
  const size_t at = exported.find(entry);
  ASSERT_NE(std::string::npos, at) << exported;
  EXPECT_NE(std::string::npos,
            exported.find("\"ProtocolMTU\"=dword:00000578", at)) << exported;
}

// NT 4.0 taken to 2000: the interfaces of its card and of the WAN
// miniport, described under the network class key; RAS's NdisWan stays.
void UpgradeTo2000(Registry& registry) {
  Put(registry, kNT5.card, "MTU", RegValue::Dword(1500));
  MakeKey(registry, kNT5.dialUp);
  Put(registry, kCardClass, "ComponentId", RegValue::Text("pci\\ven_8086&dev_100e"));
  Put(registry, kCardClass, "Characteristics", RegValue::Dword(0x84));
  Put(registry, kCardClass, "NetCfgInstanceId",
      RegValue::Text(kNT5.card.substr(kNT5.card.rfind('\\') + 1)));
  Put(registry, kWanClass, "ComponentId", RegValue::Text("ms_ndiswanip"));
  Put(registry, kWanClass, "NetCfgInstanceId",
      RegValue::Text(kNT5.dialUp.substr(kNT5.dialUp.rfind('\\') + 1)));
}

// A backup taken on one Windows, kept by a later /set on the Windows the
// machine was upgraded to: that /set writes where the new Windows reads,
// adds the originals of the places the backup did not hold, and /reset
// gives back the machine as it was before Velocine first changed it.
TEST(StoreVersion, ASetAfterAnUpgradeWritesWhereTheNewWindowsReads) {
  const struct {
    const char* what;
    VersionNumbers before, after;
    void (*upgrade)(Registry&);
    std::vector<std::pair<std::string, const char*>> written;  // DWORD 1492 or 0
    std::vector<std::pair<std::string, const char*>> untouched;
  } rows[] = {
      {"NT 4.0 SP3 to SP6", kNT40SP3, kNT40SP6, nullptr,
       {{kServices + "NdisWan\\Parameters", "IPMTU"},
        {kServices + "E100B1\\Parameters\\Tcpip", "MTU"},
        {kTcpipKeyName, kPlural}},
       {{kTcpipKeyName, kSingular}}},
      {"NT 4.0 SP6 to 2000 SP4", kNT40SP6, k2000SP4, UpgradeTo2000,
       {{kNT5.card, "MTU"}, {kPppEntry, "ProtocolMTU"}, {kTcpipKeyName, kSingular}},
       {{kNT5.dialUp, "MTU"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry registry;
    LoadMachine(registry, kNT4);
    MemoryRegistry fresh;
    LoadMachine(fresh, kNT4);
    if (row.upgrade) row.upgrade(fresh);
    const RegistrySnapshot expected = Settings(fresh);
    MapTexts texts;
    texts.texts = {{"MtuNotRead", "[MTU not read]"}};
    auto run = [&](const VersionNumbers& version, const char* arguments) {
      CommandMachine command{
          registry, true, kFamilyNT, CWindowsVersion(version).Limits(true), false,
          texts, [](const std::string&, const std::string&) { return true; }};
      return RunCommand(ParseCommandLine(arguments), command);
    };
    ASSERT_EQ(kExitDone, run(row.before, "/set dsl").exitCode);
    if (row.upgrade) row.upgrade(registry);
    const CommandResult again = run(row.after, "/set dsl");
    EXPECT_EQ(kExitDone, again.exitCode);
    EXPECT_EQ(std::string::npos, again.outcome.find("[MTU not read]")) << again.outcome;
    for (const auto& value : row.written) {
      const bool icmp = std::string(value.second) == kPlural ||
                        std::string(value.second) == kSingular;
      EXPECT_EQ(RegValue::Dword(icmp ? 0 : 1492),
                At(registry, value.first, value.second))
          << value.first << " : " << value.second;
    }
    for (const auto& value : row.untouched) {
      const RegValue* was = expected.Find(value.first, value.second);
      EXPECT_EQ(was ? *was : RegValue(), At(registry, value.first, value.second))
          << value.first << " : " << value.second;
    }
    EXPECT_EQ(kExitDone, run(row.after, "/reset").exitCode);
    EXPECT_EQ(std::vector<std::string>(), expected.Differences(Settings(registry)));
  }
}

// The MTU step shows what the chosen connection goes out with: the last
// device that carries it whose MTU this Windows reads, RAS's one MTU for
// NT 4.0's dial-up (fixed at 1500 before Service Pack 4, KB 183229), PPP's
// on 2000, XP and 2003 (1500 where Protocols\\0 sets none, KB 826159).
TEST(StoreVersion, TheMtuShownIsTheOneOfTheChosenConnection) {
  const int32_t set = kConnectionMtuSet, fixed = kConnectionMtuFixedByWindows,
                none = kConnectionMtuNotFound;
  const struct {
    const char* what;
    const Machine& machine;
    VersionNumbers version;
    void (*prepare)(Registry&);
    int32_t found[kConnectionKinds], mtu[kConnectionKinds];
  } rows[] = {
      {"NT 4.0 SP6, RAS's IPMTU 1400", kNT4, kNT40SP6, SetRasMtu,
       {set, set, set, set}, {1400, 1400, 1500, 1500}},
      {"NT 4.0 SP3", kNT4, kNT40SP3, SetRasMtu,
       {fixed, fixed, set, set}, {1500, 1500, 1500, 1500}},
      {"NT 4.0 SP6 without RAS's MTU", kNT4, kNT40SP6, nullptr,
       {none, none, set, set}, {0, 0, 1500, 1500}},
      {"XP, the WAN interface's 576", kNT5, kXP, SetWanInterfaceMtu,
       {fixed, fixed, set, set}, {1500, 1500, 1500, 1500}},
      {"2003, PPP's MTU 1400", kNT5, k2003, SetPppMtu,
       {set, set, set, set}, {1400, 1400, 1500, 1500}},
      {"98, the Dial-Up Adapter's 1500, the card's none", k9x, k98, nullptr,
       {set, set, none, none}, {1500, 1500, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry registry;
    LoadMachine(registry, row.machine);
    if (row.prepare) row.prepare(registry);
    SettingsRecord record;
    FoundFlags found;
    ASSERT_TRUE(BackupSettings(registry, row.machine.family, record, found,
                               CWindowsVersion(row.version).Limits(true))
                    .Succeeded());
    for (int c = 0; c < kConnectionKinds; ++c) {
      SCOPED_TRACE(c);
      EXPECT_EQ(row.found[c], found.MTUOfConnection[c]);
      if (row.found[c] != none)
        EXPECT_EQ(row.mtu[c], record.OriginalMTUOfConnection[c]);
    }
  }
}

}  // namespace
}  // namespace velo
