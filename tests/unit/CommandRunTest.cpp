// A command's exit code, and what it leaves, on a machine that refuses:
// rights missing, a write failing at the end, another Velocine open, an
// unknown Windows, no backup. The messages are the wizard's, from the
// language file.
#include <gtest/gtest.h>

#include "app/CommandRun.h"
#include "registry/MemoryRegistry.h"
#include "support/CountingRegistry.h"
#include "support/FaultInjectingRegistry.h"
#include "support/MapTexts.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"
#include "tuning/ProbeHost.h"

namespace velo {
namespace {

enum Fault { kNoFault, kNoAdministrator, kLastWriteFails };

struct Case {
  const char* what;
  WindowsFamily family;
  const char* arguments;
  Fault fault;
  bool windowsKnown, velocineRunning;
  int exitCode;
  const char* outcome;  // the start of the log's outcome
};

const uint32_t kSeed = 7;

// The values the command writes on the seeded machine when nothing fails.
uint64_t WritesOf(const Case& c) {
  MemoryRegistry memory;
  SeedStoreScenario(memory, c.family, kSeed);
  CountingRegistry counting(memory);
  MapTexts texts;
  CommandMachine machine{counting, true, c.family, WindowsLimits{}, false,
                         texts,
                         [](const std::string&, const std::string&) {
                           return true;
                         }};
  RunCommand(ParseCommandLine(c.arguments), machine);
  return counting.Count(kCallSetValue);
}

const Case kCases[] = {
    {"done, in the chosen language", kFamilyNT, "/set lan", kNoFault, true,
     false, kExitDone, "[boosted]"},
    {"not an administrator", kFamilyNT, "/set dsl", kNoAdministrator, true,
     false, kExitNotAdministrator, "only an administrator"},
    {"9x without the right to write", kFamily9x, "/set dsl", kNoAdministrator,
     true, false, kExitWriteFailed, "[not fully]"},
    {"the last write failing", kFamilyNT, "/set dialup", kLastWriteFails,
     true, false, kExitWriteFailed, "[not fully]"},
    {"Velocine open", kFamilyNT, "/set cable", kNoFault, true, true,
     kExitVelocineRunning, "Velocine is open"},
    {"an unknown Windows", kFamilyNT, "/set lan", kNoFault, false, false,
     kExitUnsupportedWindows, "Failed to detect"},
    {"no reset without a backup", kFamily9x, "/reset", kNoFault, true, false,
     kExitNoBackup, "there is no backup"},
    {"no export without a backup", kFamilyNT, "/export a.reg", kNoFault, true,
     false, kExitNoBackup, "there is no backup"},
};

TEST(CommandRun, ARefusedOrFailedCommandChangesNoSetting) {
  for (const Case& c : kCases) {
    MemoryRegistry memory;
    SeedStoreScenario(memory, c.family, kSeed);
    RegistrySnapshot before = SettingsSnapshot(memory, c.family);
    FaultInjectingRegistry registry(memory);
    if (c.fault == kNoAdministrator) registry.DenyLocalMachineWrites();
    if (c.fault == kLastWriteFails)
      registry.FailOnce(kCallSetValue, static_cast<uint32_t>(WritesOf(c) - 1));
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}, {"44", "[not fully]"}};
    CommandMachine machine{registry, c.windowsKnown, c.family,
                           WindowsLimits{}, c.velocineRunning, texts,
                           [](const std::string&, const std::string&) {
                             return true;
                           }};
    CommandResult result = RunCommand(ParseCommandLine(c.arguments), machine);
    EXPECT_EQ(c.exitCode, result.exitCode) << c.what;
    EXPECT_EQ(0u, result.outcome.find(c.outcome)) << c.what << ": "
                                                  << result.outcome;
    if (c.exitCode != kExitDone)
      EXPECT_EQ(std::vector<std::string>(),
                before.Differences(SettingsSnapshot(memory, c.family)))
          << c.what;
  }
}

// /set ... /findmtu: the measured MTU is written, or the type's when none
// could be measured, and the log says which and towards where.
TEST(CommandRun, FindMtuWritesWhatWasMeasured) {
  const struct {
    const char* arguments;
    MtuSearchResult measured;
    const char* dnsServer;  // "": none kept
    const char* askedHost;  // "": the search must not run
    uint32_t mtu;
    const char* said;
  } kRuns[] = {
      {"/set dsl /findmtu", {kMtuFound, 1400, 11}, "10.0.3.2 10.0.3.9",
       "10.0.3.2", 1400, " MTU 1400 found towards 10.0.3.2 in 11 probes."},
      {"/set lan /findmtu far.example", {kMtuFound, 1472, 10}, "10.0.3.2",
       "far.example", 1472, " MTU 1472 found towards far.example in 10"},
      {"/set dsl /findmtu", {kMtuNoAnswer, 0, 2}, "10.0.3.2", "10.0.3.2",
       1492, " No MTU found towards 10.0.3.2 (it does not answer pings); "
             "used 1492."},
      {"/set cable /findmtu 10.0.3.2", {kMtuEveryAnswers, 0, 12}, "",
       "10.0.3.2", 1500, " No MTU found towards 10.0.3.2 (every size"},
      {"/set dsl /findmtu", {kMtuFound, 1400, 11}, "", "", 1492,
       " No MTU found: no host given and no DNS server set; used 1492."},
  };
  for (const auto& run : kRuns) {
    SCOPED_TRACE(run.arguments);
    MemoryRegistry registry;
    StoreScenario scenario = SeedStoreScenario(registry, kFamilyNT, kSeed);
    scenario.interfaces.push_back("{6D3F2C11-0000-4F0A-9000-00000000A001}");
    AddInterface(registry, scenario.interfaces.back());
    Put(registry, kTcpipKeyName, "NameServer",
        RegValue::Text(run.dnsServer));
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}};
    std::string asked;
    CommandMachine machine{registry, true, kFamilyNT, WindowsLimits{}, false,
                           texts,
                           [](const std::string&, const std::string&) {
                             return true;
                           },
                           [&](const std::string& host) {
                             asked = host;
                             return run.measured;
                           }};
    const CommandResult result =
        RunCommand(ParseCommandLine(run.arguments), machine);
    EXPECT_EQ(kExitDone, result.exitCode);
    EXPECT_EQ(run.askedHost, asked);
    EXPECT_NE(std::string::npos, result.outcome.find(run.said))
        << result.outcome;
    for (const std::string& name : scenario.interfaces) {
      RegValue mtu, mss;
      const std::string key = std::string(kInterfacesKeyName) + "\\" + name;
      ASSERT_TRUE(Get(registry, key, "MTU", &mtu));
      ASSERT_TRUE(Get(registry, key, "MSS", &mss));
      EXPECT_EQ(RegValue::Dword(run.mtu), mtu);
      EXPECT_EQ(RegValue::Dword(run.mtu - 40), mss);
    }
  }
}

// The DNS server the search pings by default, as each family keeps it.
TEST(CommandRun, TheDefaultProbeHostIsTheFirstDnsServerKept) {
  const struct {
    WindowsFamily family;
    const char* key;  // under the family's TCP/IP key or an NT interface
    const char* name;
    RegValue value;
    const char* server;
  } kKept[] = {
      {kFamilyNT, "", "NameServer", RegValue::Text("10.1.1.1 10.1.1.2"),
       "10.1.1.1"},
      {kFamilyNT, "", "DhcpNameServer", RegValue::Text(" 10.2.2.2,10.1.1.2"),
       "10.2.2.2"},
      {kFamilyNT, "{1F1C0BB9-0000-4C32-8000-000000000001}", "DhcpNameServer",
       RegValue::Text("10.3.3.3"), "10.3.3.3"},
      {kFamilyNT, "", "NameServer", RegValue::Dword(0x0a010101), ""},
      {kFamilyNT, "", "NameServer", RegValue::Text(""), ""},
      {kFamily9x, "", "NameServer", RegValue::Text("10.4.4.4,10.1.1.2"),
       "10.4.4.4"},
  };
  for (const auto& kept : kKept) {
    SCOPED_TRACE(kept.server);
    MemoryRegistry registry;
    const std::string tcpip =
        kept.family == kFamilyNT ? kTcpipKeyName : kMstcpKeyName;
    MakeKey(registry, tcpip);
    Put(registry,
        *kept.key ? std::string(kInterfacesKeyName) + "\\" + kept.key : tcpip,
        kept.name, kept.value);
    EXPECT_EQ(kept.server, DnsServerOf(registry, kept.family));
  }
}

}  // namespace
}  // namespace velo
