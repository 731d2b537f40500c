// A command's exit code, and what it leaves, on a machine that refuses:
// rights missing, a write failing at the end, another Velocine open, an
// unknown Windows, no backup, a backup that cannot be opened, a backup in
// another account's hive. The messages are the wizard's, from the language
// file.
#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "app/CommandRun.h"
#include "framework/MessageBoundary.h"
#include "registry/MemoryRegistry.h"
#include "support/CountingRegistry.h"
#include "support/FaultInjectingRegistry.h"
#include "support/MapTexts.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"
#include "tuning/ProbeHost.h"

namespace velo {
namespace {

enum Fault {
  kNoFault,
  kNoAdministrator,
  kLastWriteFails,
  kLastWriteAndUndoFail,  // and so does putting back the first value
  kBackupDenied,       // the backup's key opens for no one
  kBackupNoResources,  // the system is short of what the open needs
  // The backup stays in the hive of the account that ran `before`, which is
  // not the one the command runs in; the note of who holds it remains.
  kBackupInTakersHive,
  kHolderNoteDenied,  // so, and the note opens for no one
};

const RegStatus kNoSystemResources = 1450;  // ERROR_NO_SYSTEM_RESOURCES
const char kAccount[] = "Admin";  // who runs the command

struct Case {
  const char* what;
  WindowsFamily family;
  const char* before;  // a command run first on a healthy machine, or null
  const char* arguments;
  Fault fault;
  bool windowsKnown, velocineRunning;
  int exitCode;
  const char* outcome;  // the start of the log's outcome
  bool modemRaised;     // the modem's port speed after the command
  const char* beforeAccount = kAccount;  // who ran `before`
};

const uint32_t kSeed = 7;
const char kTaken[] = "2026-12-10 00:50:07";
const char kHolderNoteKeyName[] = "HKLM\\Software\\Velocine";
const char kModem[] = "\\0000";

// The seeded machine with a modem that can be raised.
void SeedMachine(Registry& registry, WindowsFamily family) {
  SeedStoreScenario(registry, family, kSeed);
  RemoveKey(registry, ModemClassKeyName(family));
  Put(registry, std::string(ModemClassKeyName(family)) + kModem, "Properties",
      ModemRecord(115200));
}

CommandResult RunOn(Registry& registry, const Case& c, const char* arguments,
                  bool windowsKnown, bool velocineRunning,
                  const char* account = kAccount) {
  MapTexts texts;
  texts.texts = {{"41", "[boosted]"}, {"44", "[not fully]"},
                 {"46", "[reset failed]"}};
  CommandMachine machine{registry, windowsKnown, c.family, WindowsLimits{},
                         velocineRunning, texts,
                         [](const std::string&, const std::string&) {
                           return true;
                         }};
  machine.self = BackupHolder{account, kTaken};
  return RunCommand(ParseCommandLine(arguments), machine);
}

// The calls of one kind the command makes on the seeded machine when
// nothing fails.
uint32_t CallsOf(const Case& c, RegCall call) {
  MemoryRegistry memory;
  SeedMachine(memory, c.family);
  if (c.before) RunOn(memory, c, c.before, true, false, c.beforeAccount);
  CountingRegistry counting(memory);
  RunOn(counting, c, c.arguments, true, false);
  return static_cast<uint32_t>(counting.Count(call));
}

const Case kCases[] = {
    {"done, in the chosen language", kFamilyNT, nullptr, "/set lan", kNoFault,
     true, false, kExitDone, "[boosted]", false},
    {"a repeated set keeps the originals", kFamilyNT, "/set dsl",
     "/set lan", kNoFault, true, false, kExitDone, "[boosted]", false},
    {"dial-up raises the modem", kFamily9x, nullptr, "/set dialup", kNoFault,
     true, false, kExitDone, "[boosted]", true},
    {"dial-up told to leave the modem", kFamilyNT, nullptr,
     "/set dialup /nomodem", kNoFault, true, false, kExitDone, "[boosted]",
     false},
    {"not an administrator", kFamilyNT, nullptr, "/set dsl", kNoAdministrator,
     true, false, kExitNotAdministrator, "only an administrator", false},
    {"no reset but by an administrator", kFamilyNT, "/set dsl", "/reset",
     kNoAdministrator, true, false, kExitNotAdministrator,
     "only an administrator", false},
    {"9x without the right to write", kFamily9x, nullptr, "/set dsl",
     kNoAdministrator, true, false, kExitWriteFailed, "[not fully]", false},
    {"the last write failing", kFamilyNT, nullptr, "/set dialup",
     kLastWriteFails, true, false, kExitWriteFailed, "[not fully]", false},
    {"the last write and its undo failing", kFamilyNT, nullptr,
     "/set dialup", kLastWriteAndUndoFail, true, false, kExitNotUndone,
     "[not fully]", false},
    {"Velocine open", kFamilyNT, nullptr, "/set cable", kNoFault, true, true,
     kExitVelocineRunning, "Velocine is open", false},
    {"an unknown Windows", kFamilyNT, nullptr, "/set lan", kNoFault, false,
     false, kExitUnsupportedWindows, "Failed to detect", false},
    {"no reset without a backup", kFamily9x, nullptr, "/reset", kNoFault, true,
     false, kExitNoBackup, "there is no backup", false},
    {"no export without a backup", kFamilyNT, nullptr, "/export a.reg",
     kNoFault, true, false, kExitNoBackup, "there is no backup", false},
    // A backup that cannot be opened may hold the originals: it is never
    // taken for none.
    {"a set over a backup denied", kFamilyNT, "/set dsl", "/set lan",
     kBackupDenied, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    {"a set over a backup short of resources", kFamily9x, "/set dsl",
     "/set lan", kBackupNoResources, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    {"an export of a backup denied", kFamilyNT, "/set dsl", "/export a.reg",
     kBackupDenied, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    {"an export short of resources", kFamily9x, "/set dsl", "/export a.reg",
     kBackupNoResources, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    {"a reset of a backup denied", kFamilyNT, "/set dsl", "/reset",
     kBackupDenied, true, false, kExitWriteFailed, "[reset failed]", false},
    {"a reset short of resources", kFamily9x, "/set dsl", "/reset",
     kBackupNoResources, true, false, kExitWriteFailed, "[reset failed]",
     false},
    // A /set run as SYSTEM by a deployment tool leaves the backup in
    // SYSTEM's hive: an administrator is told who holds it, not "no backup".
    {"a reset of a backup another account holds", kFamilyNT, "/set dsl",
     "/reset", kBackupInTakersHive, true, false, kExitBackupOfAnotherAccount,
     "the backup is held by the account SYSTEM, taken 2026-12-10 00:50:07",
     false, "SYSTEM"},
    {"an export of a backup another account holds", kFamily9x, "/set dsl",
     "/export a.reg", kBackupInTakersHive, true, false,
     kExitBackupOfAnotherAccount, "the backup is held by the account SYSTEM",
     false, "SYSTEM"},
    {"a reset where who holds the backup cannot be read", kFamilyNT,
     "/set dsl", "/reset", kHolderNoteDenied, true, false,
     kExitBackupUnreadable, "there is no backup here, and the note", false,
     "SYSTEM"},
    {"an export where who holds the backup cannot be read", kFamily9x,
     "/set dsl", "/export a.reg", kHolderNoteDenied, true, false,
     kExitBackupUnreadable, "there is no backup here, and the note", false,
     "SYSTEM"},
    // The account's own note, however its name is spelt, changes nothing.
    {"an export of this account's backup", kFamilyNT, "/set dsl",
     "/export a.reg", kNoFault, true, false, kExitDone,
     "the backup was written to a.reg", false, "ADMIN"},
    {"a backup gone from this account's hive", kFamily9x, "/set dsl",
     "/reset", kBackupInTakersHive, true, false, kExitNoBackup,
     "there is no backup to put back", false, "admin"},
};

// A script tells every outcome, and the program's abnormal end, apart.
TEST(CommandRun, EachOutcomeHasAnExitCodeOfItsOwn) {
  const int codes[] = {kExitDone,           kExitBadArguments,
                       kExitNoBackup,       kExitNotAdministrator,
                       kExitWriteFailed,    kExitUnsupportedWindows,
                       kExitVelocineRunning, kExitBackupUnreadable,
                       kExitFileNotWritten, kExitNotUndone,
                       kExitBackupOfAnotherAccount,
                       kEscapedExceptionExitCode,
                       // Once "a backup exists": older scripts read it so.
                       3};
  EXPECT_EQ(std::size(codes),
            std::set<int>(std::begin(codes), std::end(codes)).size());
}

// An argument holding a line break writes no line of its own, such as a
// "/reset  exit 0" that never ran; the line says where the log went.
TEST(CommandRun, ALogLineIsOneLineWhateverItsArgumentsHold) {
  const std::string forged =
      "\"a\r\n2026-12-09 05:10:03  Velocine /reset  exit 0: done\x1b\"";
  for (bool inTempFolder : {false, true}) {
    const std::string line = CommandLogLine(
        "2026-12-09 05:10:02", forged,
        CommandResult{kExitBadArguments, "bad\narguments"}, inTempFolder);
    EXPECT_EQ(line.size() - 2, line.find_first_of("\r\n")) << line;
    EXPECT_EQ(0u, line.find("2026-12-09 05:10:02  Velocine \"a\\r\\n2026"))
        << line;
    EXPECT_NE(std::string::npos, line.find("done\\x1b\"  exit 1: bad\\n"))
        << line;
    EXPECT_EQ(inTempFolder,
              line.find("in the temporary folder") != std::string::npos);
  }
}

TEST(CommandRun, ARefusedOrFailedCommandChangesNoSetting) {
  for (const Case& c : kCases) {
    MemoryRegistry memory;
    SeedMachine(memory, c.family);
    RegistrySnapshot original = SettingsSnapshot(memory, c.family);
    if (c.before)
      ASSERT_EQ(kExitDone,
                RunOn(memory, c, c.before, true, false, c.beforeAccount)
                    .exitCode)
          << c.what;
    if (c.fault == kBackupInTakersHive || c.fault == kHolderNoteDenied)
      RemoveKey(memory, kBackupKeyName);
    RegistrySnapshot before = SettingsSnapshot(memory, c.family);
    RegistrySnapshot backupBefore = BackupSnapshot(memory);
    FaultInjectingRegistry registry(memory);
    if (c.fault == kNoAdministrator) registry.DenyLocalMachineWrites();
    if (c.fault == kLastWriteFails || c.fault == kLastWriteAndUndoFail)
      registry.FailOnce(kCallSetValue, CallsOf(c, kCallSetValue) - 1);
    if (c.fault == kLastWriteAndUndoFail) {
      registry.FailOnce(kCallSetValue, CallsOf(c, kCallSetValue));
      registry.FailOnce(kCallDeleteValue, CallsOf(c, kCallDeleteValue));
    }
    if (c.fault == kBackupDenied)
      registry.FailOpensOf(kBackupKeyName, kRegAccessDenied);
    if (c.fault == kBackupNoResources)
      registry.FailOpensOf(kBackupKeyName, kNoSystemResources);
    if (c.fault == kHolderNoteDenied)
      registry.FailOpensOf(kHolderNoteKeyName, kRegAccessDenied);
    CommandResult result =
        RunOn(registry, c, c.arguments, c.windowsKnown, c.velocineRunning);
    EXPECT_EQ(c.exitCode, result.exitCode) << c.what;
    EXPECT_EQ(0u, result.outcome.find(c.outcome)) << c.what << ": "
                                                  << result.outcome;
    if (c.exitCode == kExitNotUndone) {
      // The log names what is still changed, and /reset puts it back.
      EXPECT_NE(std::string::npos, result.outcome.find("Not put back: HK"))
          << result.outcome;
      registry.Heal();
      EXPECT_EQ(kExitDone, RunOn(memory, c, "/reset", true, false).exitCode);
    }
    if (c.exitCode != kExitDone) {
      EXPECT_EQ(std::vector<std::string>(),
                before.Differences(SettingsSnapshot(memory, c.family)))
          << c.what;
      // A /set that failed while it wrote keeps the backup it took.
      if (c.exitCode != kExitWriteFailed || c.before)
        EXPECT_EQ(std::vector<std::string>(),
                  backupBefore.Differences(BackupSnapshot(memory)))
            << c.what;
    }
    if (c.exitCode == kExitDone && c.before) {
      // The backup still holds what the machine had before the first one.
      RegValue holder;
      ASSERT_TRUE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder))
          << c.what;
      EXPECT_EQ(RegValue::Text(c.beforeAccount), holder) << c.what;
      ASSERT_EQ(kExitDone, RunOn(memory, c, "/reset", true, false).exitCode);
      EXPECT_EQ(std::vector<std::string>(),
                original.Differences(SettingsSnapshot(memory, c.family)))
          << c.what;
      // The backup is gone, and so is the note that named its holder.
      EXPECT_FALSE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder))
          << c.what;
      continue;
    }
    RegValue modem;
    ASSERT_TRUE(Get(memory, std::string(ModemClassKeyName(c.family)) + kModem,
                    "Properties", &modem));
    EXPECT_EQ(ModemRecord(c.modemRaised ? 921600 : 115200), modem) << c.what;
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
