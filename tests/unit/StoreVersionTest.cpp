// Each Windows version's layout: which values /set (Finish with the
// recommendations) writes where, what the log says it left alone, and that
// /reset gives back exactly what was there, also from a backup laid out as
// the program kept it before the MTU followed the connection.
#include <gtest/gtest.h>

#include "app/CommandRun.h"
#include "app/WindowsVersion.h"
#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "support/MapTexts.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

struct Row {
  const char* what;
  VersionNumbers version;
  bool winsock2, withCard, withDialUp;
  const char* arguments;
  int32_t cardMtu, dialUpMtu, undescribedMtu;  // 0: left as it was
  int32_t receiveWindow, synAttackProtect;     // 0: not written
  const char* icmpRedirectName;                // null: not written
  bool todaysBackup;  // Finish and Reset over a backup of the old layout
};

const VersionNumbers k95{1, 4, 0}, k98{1, 4, 10}, kMe{1, 4, 90},
    kNT4{2, 4, 0}, k2000{2, 5, 0}, kXP{2, 5, 1}, k2003{2, 5, 2};
const char kPlural[] = "EnableICMPRedirects";
const char kSingular[] = "EnableICMPRedirect";

// The number `key` holds as `name`, in the family's form; 0 when absent.
int32_t NumberAt(Registry& registry, const std::string& key, const char* name) {
  RegValue value;
  if (key.empty() || !Get(registry, key, name, &value)) return 0;
  if (value.type == kRegDword) return static_cast<int32_t>(
      value.data[0] | value.data[1] << 8 | value.data[2] << 16 | value.data[3] << 24);
  return std::stoi(value.AsText());
}

// The old layout: 9x recorded the dial-up binding only; NT looked for
// interfaces alone. Its Finish wrote the recorded binding or every interface.
void FinishOverTodaysBackup(Registry& registry, WindowsFamily family,
                            const VersionMachine& machine, int32_t connection) {
  SettingsRecord record;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(registry, family, record, found).Succeeded());
  RegKey entries(registry);
  for (const char* sub : {"\\MTU Settings", "\\MSS Settings"})
    if (!machine.card.empty() && family == kFamily9x &&
        entries.Open(kHkeyCurrentUser, std::string(kBackupKey) + sub,
                     kAccessReadWrite) == kRegOk)
      entries.Delete(machine.card.substr(machine.card.size() - 4));
  record.ConnectionType = connection;
  record.NewMTU = 1000;
  record.NewTTL = 7;
  ASSERT_TRUE(ApplySettings(registry, family, record, 0).Succeeded());
}

void RunVersionTable(DeviceLayout layout, const std::vector<Row>& rows) {
  const WindowsFamily family = layout == kBindings9x ? kFamily9x : kFamilyNT;
  const char* mtuName = family == kFamily9x ? "MaxMTU" : "MTU";
  const char* mssName = family == kFamily9x ? "MaxMSS" : "MSS";
  const std::string tcpip = family == kFamily9x ? kMstcpKeyName : kTcpipKeyName;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry registry;
    const VersionMachine machine =
        SeedVersionMachine(registry, layout, row.withCard, row.withDialUp);
    const RegistrySnapshot before =
        RegistrySnapshot::Take(registry, VersionMachineSubTrees());
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}, {"56", "[MTU and MSS left alone]"}};
    CommandMachine command{
        registry, true, family, CWindowsVersion(row.version).Limits(row.winsock2),
        false, texts, [](const std::string&, const std::string&) { return true; }};
    const CommandLine set = ParseCommandLine(row.arguments);
    if (row.todaysBackup) {
      FinishOverTodaysBackup(registry, family, machine, set.connectionType);
    } else {
      const CommandResult done = RunCommand(set, command);
      EXPECT_EQ(kExitDone, done.exitCode);
      EXPECT_EQ(row.cardMtu || row.dialUpMtu || row.undescribedMtu
                    ? "[boosted]" : "[boosted] [MTU and MSS left alone]",
                done.outcome);
      const std::pair<const std::string&, int32_t> devices[] = {
          {machine.card, row.cardMtu},
          {machine.dialUp, row.dialUpMtu},
          {machine.undescribed, row.undescribedMtu}};
      for (const auto& device : devices) {
        if (device.second == 0) {
          RegValue now;
          const RegValue* held = before.Find(device.first, mtuName);
          EXPECT_EQ(held != nullptr, !device.first.empty() &&
                                         Get(registry, device.first, mtuName, &now))
              << device.first;
          if (held) EXPECT_EQ(*held, now) << device.first;
        } else {
          EXPECT_EQ(device.second, NumberAt(registry, device.first, mtuName))
              << device.first;
          EXPECT_EQ(device.second - 40, NumberAt(registry, device.first, mssName))
              << device.first;
        }
      }
      EXPECT_EQ(row.receiveWindow,
                NumberAt(registry, tcpip, family == kFamily9x ? "DefaultRcvWindow"
                                                               : "TcpWindowSize"));
      EXPECT_EQ(row.synAttackProtect,
                NumberAt(registry, tcpip, "SYNAttackProtect"));
      for (const char* name : {kPlural, kSingular}) {
        RegValue icmp;
        EXPECT_EQ(row.icmpRedirectName && std::string(name) == row.icmpRedirectName,
                  Get(registry, tcpip, name, &icmp)) << name;
      }
    }
    EXPECT_EQ(kExitDone,
              RunCommand(ParseCommandLine("/reset"), command).exitCode);
    EXPECT_EQ(std::vector<std::string>(),
              before.Differences(
                  RegistrySnapshot::Take(registry, VersionMachineSubTrees())));
  }
}

// The Dial-Up Adapter's binding carries dial-up; the card's DSL, LAN and
// cable. 95 without the Winsock 2 update takes no window above 65,535.
TEST(StoreVersion, Windows95To98AndMe) {
  RunVersionTable(kBindings9x, {
      {"95, dial-up", k95, true, true, true, "/set dialup",
       0, 576, 0, 6432, 0, nullptr, false},
      {"95 with WS2_32.DLL, LAN", k95, true, true, true, "/set lan",
       1500, 0, 0, 256960, 0, nullptr, false},
      {"95 without WS2_32.DLL, LAN", k95, false, true, true, "/set lan",
       1500, 0, 0, 64240, 0, nullptr, false},
      {"98, DSL", k98, false, true, true, "/set dsl",
       1492, 0, 0, 255552, 0, nullptr, false},
      {"Me, cable", kMe, false, true, true, "/set cable",
       1500, 0, 0, 256960, 0, nullptr, false},
      {"98 without a Dial-Up Adapter, dial-up", k98, true, true, false,
       "/set dialup", 0, 0, 0, 6432, 0, nullptr, false},
      {"Me without a network card, LAN", kMe, true, false, true, "/set lan",
       0, 0, 0, 256960, 0, nullptr, false},
      {"98, a backup of the old layout", k98, true, true, true, "/set dialup",
       0, 0, 0, 0, 0, nullptr, true},
  });
}

// RAS's NdisWan adapter carries dial-up, the card LAN and cable, DSL both.
TEST(StoreVersion, NT40) {
  RunVersionTable(kBoundAdaptersNT4, {
      {"dial-up", kNT4, true, true, true, "/set dialup",
       0, 576, 0, 6432, 2, kPlural, false},
      {"LAN", kNT4, true, true, true, "/set lan",
       1500, 0, 0, 64240, 2, kPlural, false},
      {"DSL", kNT4, true, true, true, "/set dsl",
       1492, 1492, 0, 63888, 2, kPlural, false},
      {"no adapter bound, cable", kNT4, true, false, false, "/set cable",
       0, 0, 0, 64240, 2, kPlural, false},
      {"a backup of the old layout", kNT4, true, true, true, "/set dsl",
       0, 0, 0, 0, 0, nullptr, true},
  });
}

// The WAN miniport's interface carries dial-up, the card's LAN and cable,
// DSL both; an interface whose adapter is not described gets every MTU.
TEST(StoreVersion, Windows2000XPAnd2003) {
  RunVersionTable(kInterfacesNT, {
      {"2000, dial-up", k2000, true, true, true, "/set dialup",
       0, 576, 576, 6432, 2, kSingular, false},
      {"XP, LAN", kXP, true, true, true, "/set lan",
       1500, 0, 1500, 256960, 2, kSingular, false},
      {"XP, DSL", kXP, true, true, true, "/set dsl",
       1492, 1492, 1492, 255552, 2, kSingular, false},
      {"2003, cable", k2003, true, true, true, "/set cable",
       1500, 0, 1500, 256960, 1, kSingular, false},
      {"XP, a backup of the old layout", kXP, true, true, true, "/set dsl",
       0, 0, 0, 0, 0, nullptr, true},
  });
}

}  // namespace
}  // namespace velo
