// A command's exit code, and what it leaves, on a machine that refuses:
// rights missing, a write failing at the end, another Velocine open, an
// unknown Windows, no backup, a backup that cannot be opened, a backup in
// another account's hive. The messages are the wizard's, from the language
// file.
#include <gtest/gtest.h>

#include <iostream>
#include <iterator>
#include <map>
#include <set>

#include "app/CommandRun.h"
#include "framework/MessageBoundary.h"
#include "registry/MemoryRegistry.h"
#include "store/RegistryLocations.h"
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
  // The marks of the keys Finish wrote cannot be read: the system is short
  // of resources.
  kWrittenMarksUnreadable,
  kHolderNameRefused,  // the note of who holds the backup refuses the name
  kModemsUnreadable,   // the modems' class key: the system is short of it
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
StoreScenario SeedMachine(Registry& registry, WindowsFamily family) {
  StoreScenario scenario = SeedStoreScenario(registry, family, kSeed);
  RemoveKey(registry, ModemClassKeyName(family));
  Put(registry, std::string(ModemClassKeyName(family)) + kModem, "Properties",
      ModemRecord(115200));
  return scenario;
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
     kExitVelocineRunning,
     "another Velocine is running on this machine, a window or a command",
     false},
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
     kBackupDenied, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read; [reset failed]", false},
    {"a reset short of resources", kFamily9x, "/set dsl", "/reset",
     kBackupNoResources, true, false, kExitBackupUnreadable,
     "the backup of the original settings cannot be read; [reset failed]",
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
    // A mark that cannot be read is never taken for a key not written: its
    // originals are noted already, and what the key holds now is tuned.
    {"a repeated set that cannot read what was written", kFamilyNT,
     "/set dsl", "/set dsl", kWrittenMarksUnreadable, true, false,
     kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    {"a repeated 9x set that cannot read what was written", kFamily9x,
     "/set dsl", "/set lan", kWrittenMarksUnreadable, true, false,
     kExitBackupUnreadable,
     "the backup of the original settings cannot be read", false},
    // Another account's values are tuned already: its /set would record
    // them as originals.
    {"a set while another account holds the backup", kFamilyNT, "/set dsl",
     "/set lan", kBackupInTakersHive, true, false,
     kExitBackupOfAnotherAccount,
     "the backup is held by the account SYSTEM, taken 2026-12-10 00:50:07",
     false, "SYSTEM"},
    {"a set where who holds the backup cannot be read", kFamily9x,
     "/set dsl", "/set lan", kHolderNoteDenied, true, false,
     kExitBackupUnreadable, "there is no backup here, and the note", false,
     "SYSTEM"},
    {"another account's set told to overwrite", kFamilyNT, "/set dsl",
     "/set lan /overwrite", kBackupInTakersHive, true, false, kExitDone,
     "[boosted]", false, "SYSTEM"},
    {"a repeated set told to overwrite", kFamily9x, "/set dsl",
     "/set lan /overwrite", kNoFault, true, false, kExitDone, "[boosted]",
     false},
    {"who holds the backup refused", kFamilyNT, nullptr, "/set lan",
     kHolderNameRefused, true, false, kExitDone, "[boosted]", false},
    // A modem that cannot be read may be one to raise.
    {"dial-up where the modems cannot be read", kFamily9x, nullptr,
     "/set dialup", kModemsUnreadable, true, false, kExitBackupUnreadable,
     "the modems' settings cannot be read", false},
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

// What the arguments hold is told apart from what the log adds: a typed
// "\\r\\n" from a real line break, bytes of no code page from text, and an
// imitated "  exit 0:" from the real one, which stands first.
TEST(CommandRun, ALogLineShowsTheArgumentsAsTyped) {
  const struct {
    const char* arguments;
    const char* shown;
  } kTyped[] = {
      {"/export a\\r\\nb", "Velocine /export a\\\\r\\\\nb  exit 9: "},
      {"/export a\r\nb", "Velocine /export a\\r\\nb  exit 9: "},
      {"/export \xe9t\xe9.reg", "Velocine /export \\xe9t\\xe9.reg  exit 9: "},
      {"/export x  exit 0: done", "Velocine /export x \\x20exit 0: done  exit 9: "},
  };
  for (const auto& typed : kTyped) {
    const std::string line = CommandLogLine(
        "2026-12-09 05:10:02", typed.arguments,
        CommandResult{kExitFileNotWritten, "C:\\x.reg \xe9"}, false);
    EXPECT_EQ(std::string("2026-12-09 05:10:02  ") + typed.shown +
                  "C:\\\\x.reg \xe9\r\n",
              line);
    EXPECT_EQ(line.find("  exit "), line.find("  exit 9: ")) << line;
  }
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
    if (c.fault == kWrittenMarksUnreadable)
      registry.FailValueCalls(kCallQueryValue,
                              std::string(kBackupKeyName) + "\\Written Keys",
                              kNoSystemResources);
    if (c.fault == kModemsUnreadable)
      registry.FailOpensOf(ModemClassKeyName(c.family), kNoSystemResources);
    if (c.fault == kHolderNameRefused)
      registry.FailValueCalls(kCallSetValue, kHolderNoteKeyName,
                              kRegAccessDenied, "Backup Holder");
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
    if (c.fault == kHolderNameRefused)
      EXPECT_NE(std::string::npos,
                result.outcome.find("Who holds the backup could not be noted"))
          << result.outcome;
    if (c.exitCode == kExitDone && c.before) {
      // The backup still holds what the machine had before the first one;
      // told to overwrite, what it had before this one, and the note names
      // who took it.
      const bool overwrite =
          std::string(c.arguments).find("/overwrite") != std::string::npos;
      RegValue holder;
      ASSERT_TRUE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder))
          << c.what;
      EXPECT_EQ(RegValue::Text(overwrite ? kAccount : c.beforeAccount), holder)
          << c.what;
      ASSERT_EQ(kExitDone, RunOn(memory, c, "/reset", true, false).exitCode);
      EXPECT_EQ(std::vector<std::string>(),
                (overwrite ? before : original)
                    .Differences(SettingsSnapshot(memory, c.family)))
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

// A /reset that cannot remove the note of who holds the backup keeps the
// backup with it and says so: no note is left naming an account that holds
// nothing, for another account's /set to be sent to. A note naming this
// account, which holds no backup, goes with its next /reset.
TEST(CommandRun, TheNoteOfWhoHoldsTheBackupGoesWithTheBackup) {
  const Case c{"", kFamilyNT, nullptr, "", kNoFault, true, false, 0, "", false};
  MemoryRegistry memory;
  SeedMachine(memory, c.family);
  const RegistrySnapshot original = SettingsSnapshot(memory, c.family);
  ASSERT_EQ(kExitDone, RunOn(memory, c, "/set dsl", true, false).exitCode);
  FaultInjectingRegistry registry(memory);
  registry.FailValueCalls(kCallDeleteValue, kHolderNoteKeyName,
                          kRegAccessDenied, "Backup Holder");
  CommandResult kept = RunOn(registry, c, "/reset", true, false);
  EXPECT_EQ(kExitWriteFailed, kept.exitCode);
  EXPECT_NE(std::string::npos, kept.outcome.find("could not be removed"))
      << kept.outcome;
  EXPECT_EQ(std::vector<std::string>(),
            original.Differences(SettingsSnapshot(memory, c.family)));
  EXPECT_TRUE(KeyExists(memory, kBackupKeyName));
  RegValue holder;
  ASSERT_TRUE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder));
  EXPECT_EQ(RegValue::Text(kAccount), holder);
  EXPECT_EQ(kExitDone, RunOn(memory, c, "/reset", true, false).exitCode);
  EXPECT_FALSE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder));

  // A note of this account's whose backup is gone.
  Put(memory, kHolderNoteKeyName, "Backup Holder", RegValue::Text(kAccount));
  EXPECT_EQ(kExitNoBackup, RunOn(memory, c, "/reset", true, false).exitCode);
  EXPECT_FALSE(Get(memory, kHolderNoteKeyName, "Backup Holder", &holder));
  EXPECT_EQ(kExitDone,
            RunOn(memory, c, "/set lan", true, false, "SYSTEM").exitCode);
}

// /set ... /findmtu: the measured MTU is written, or the type's when none
// could be measured (exit 12), and the log says which and towards where.
TEST(CommandRun, FindMtuWritesWhatWasMeasured) {
  MtuSearchResult stopped{kMtuPathStopped, 0, 7};
  stopped.fits = 1269;
  stopped.stoppedBy = kProbeUnreachable;
  MtuSearchResult ownMtu{kMtuFound, 1400, 10};
  ownMtu.ceiling = 1400;
  MtuSearchResult timed{kMtuFound, 1400, 11};
  timed.roundTripMs = 152;
  timed.roundTripSize = 576;
  timed.tookMs = 2310;
  MtuSearchResult tooLong{kMtuTooLong, 0, 60};
  tooLong.fits = 1000;
  tooLong.roundTripMs = 611;
  tooLong.roundTripSize = 576;
  const struct {
    const char* arguments;
    MtuSearchResult measured;
    const char* dnsServer;  // "": none kept
    const char* askedHost;  // "": the search must not run
    int exitCode;
    uint32_t mtu;
    const char* said;
  } kRuns[] = {
      {"/set dsl /findmtu", {kMtuFound, 1400, 11}, "198.51.100.2 10.0.3.9",
       "198.51.100.2", kExitDone, 1400,
       " MTU 1400 found towards 198.51.100.2 in 11 probes, 0 ms."},
      // The round trip of the echoes, in the language file's words.
      {"/set dsl /findmtu", timed, "198.51.100.2", "198.51.100.2", kExitDone,
       1400,
       " MTU 1400 found towards 198.51.100.2 in 11 probes, 2310 ms; <rtt "
       "152 ms / 198.51.100.2>."},
      {"/set dsl /findmtu far.example", tooLong, "", "far.example",
       kExitMtuNotMeasured, 1492,
       " (the search took too long; sizes up to 1000 came back, 60 probes, 0 "
       "ms); used 1492; <rtt 611 ms / far.example>."},
      {"/set lan /findmtu far.example", {kMtuFound, 1472, 10}, "198.51.100.2",
       "far.example", kExitDone, 1472,
       " MTU 1472 found towards far.example in 10"},
      {"/set dsl /findmtu 203.0.113.9", ownMtu, "", "203.0.113.9", kExitDone,
       1400, " in 10 probes, 0 ms, this computer's own MTU."},
      {"/set dsl /findmtu", {kMtuNoAnswer, 0, 2}, "198.51.100.2",
       "198.51.100.2", kExitMtuNotMeasured, 1492,
       " No MTU found towards 198.51.100.2 (it does not answer pings, 2 "
       "probes, 0 ms); used 1492."},
      {"/set cable /findmtu 198.51.100.2", {kMtuEveryAnswers, 0, 12}, "",
       "198.51.100.2", kExitMtuNotMeasured, 1500,
       " No MTU found towards 198.51.100.2 (every size"},
      {"/set dsl /findmtu 198.51.100.2", stopped, "", "198.51.100.2",
       kExitMtuNotMeasured, 1492,
       " (it stopped answering: unreachable; sizes up to 1269 came back, 7 "
       "probes, 0 ms); used 1492."},
      {"/set dsl /findmtu", {kMtuFound, 1400, 11}, "", "",
       kExitMtuNotMeasured, 1492,
       " No MTU found: no host given and no DNS server set; used 1492."},
      // The router of the user's own network is not beyond the line.
      {"/set dsl /findmtu", {kMtuFound, 1500, 11}, "192.168.1.1", "",
       kExitMtuNotMeasured, 1492,
       " No MTU found: the DNS server 192.168.1.1 is on this computer's own "
       "network, not beyond the line; used 1492."},
      {"/set dsl /findmtu 192.168.1.1", {kMtuFound, 1500, 11}, "",
       "192.168.1.1", kExitDone, 1500, " MTU 1500 found towards 192.168.1.1"},
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
    texts.texts = {{"41", "[boosted]"},
                   {"FindMtuRoundTrip", "<rtt %1 ms / %2>"}};
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
    EXPECT_EQ(run.exitCode, result.exitCode);
    EXPECT_EQ(run.askedHost, asked);
    EXPECT_NE(std::string::npos, result.outcome.find(run.said))
        << result.outcome;
    // The NT family's TCP takes the MSS from this MTU.
    for (const std::string& name : scenario.interfaces) {
      RegValue mtu;
      const std::string key = std::string(kInterfacesKeyName) + "\\" + name;
      ASSERT_TRUE(Get(registry, key, "MTU", &mtu));
      EXPECT_EQ(RegValue::Dword(run.mtu), mtu);
    }
  }
}

// /set ... /findmtu ... /speed: with a round trip measured, the window that
// fills the line takes the connection type's place, within what the
// Windows is given, and window scaling is on only for a window beyond
// 65,535; without one the type's window stays, and the log says which.
TEST(CommandRun, SpeedFillsTheLineOverTheRoundTripMeasured) {
  auto echoed = [](MtuSearchEnd end, int32_t mtu, uint32_t roundTripMs) {
    MtuSearchResult result{end, mtu, 9};
    result.fits = end == kMtuFound ? mtu : 0;
    result.roundTripMs = roundTripMs;
    result.roundTripSize = 576;
    return result;
  };
  WindowsLimits nt4;
  nt4.largestReceiveWindow = nt4.largestRecommendedReceiveWindow =
      kLargestUnscaledReceiveWindow;
  nt4.readsScalingOptions = false;
  const struct {
    const char* arguments;
    MtuSearchResult measured;
    const char* dnsServer;  // "": none kept
    WindowsLimits limits;
    int exitCode;
    uint32_t window;
    int scaling;  // Tcp1323Opts; -1: not written
    const char* said;
  } kRuns[] = {
      // DSL: 1,536 kbit/s x 40 ms = 7,680 bytes, 6 segments of 1452 and two:
      // a multiplier of 2.
      {"/set dsl /findmtu /speed 1536", echoed(kMtuFound, 1492, 40),
       "198.51.100.2", WindowsLimits{}, kExitDone, 11616, 0,
       "; round trip 40 ms towards 198.51.100.2. Receive window 11616 bytes "
       "to fill 1536 kbit/s."},
      // Satellite: 75,000 bytes, 52 segments of 1460 and two, a multiplier
      // of 14: scaled.
      {"/set lan /findmtu 203.0.113.9 /speed 1000",
       echoed(kMtuFound, 1500, 600), "", WindowsLimits{}, kExitDone, 81760, 1,
       " Receive window 81760 bytes to fill 1000 kbit/s, with window "
       "scaling."},
      // NT 4.0 holds 44 segments of it, and has no scaling to turn on.
      {"/set lan /findmtu 203.0.113.9 /speed 1000",
       echoed(kMtuFound, 1500, 600), "", nt4, kExitDone, 64240, -1,
       " Receive window 64240 bytes to fill 1000 kbit/s, the largest this "
       "Windows is given."},
      // A round trip measured where the MTU was not: the type's MTU, the
      // line's window.
      {"/set cable /findmtu 198.51.100.2 /speed 5000",
       echoed(kMtuEveryAnswers, 0, 20), "", WindowsLimits{},
       kExitMtuNotMeasured, 17520, 0,
       "; used 1500; round trip 20 ms towards 198.51.100.2. Receive window "
       "17520 bytes to fill 5000 kbit/s."},
      // Below the millisecond the echoes tell: one.
      {"/set lan /findmtu 198.51.100.2 /speed 100000",
       echoed(kMtuFound, 1500, 0), "", WindowsLimits{}, kExitDone, 17520, 0,
       "; round trip 0 ms towards 198.51.100.2. Receive window 17520 bytes "
       "to fill 100000 kbit/s."},
      // No echo came back, or no search ran: the type's window, 1452 x 44
      // x 4, scaled as before.
      {"/set dsl /findmtu /speed 1536", {kMtuNoAnswer, 0, 3}, "198.51.100.2",
       WindowsLimits{}, kExitMtuNotMeasured, 255552, 1,
       "; used 1492. No round trip measured to fill 1536 kbit/s: receive "
       "window 255552 bytes, the connection type's."},
      {"/set dsl /findmtu /speed 1536", echoed(kMtuFound, 1492, 40), "",
       WindowsLimits{}, kExitMtuNotMeasured, 255552, 1,
       "no DNS server set; used 1492. No round trip measured to fill 1536 "
       "kbit/s: receive window 255552 bytes, the connection type's."},
      // Without /speed the type's window, a round trip measured or not.
      {"/set dsl /findmtu", echoed(kMtuFound, 1492, 40), "198.51.100.2",
       WindowsLimits{}, kExitDone, 255552, 1,
       "; round trip 40 ms towards 198.51.100.2."},
  };
  for (const auto& run : kRuns) {
    SCOPED_TRACE(run.arguments);
    MemoryRegistry registry;
    SeedStoreScenario(registry, kFamilyNT, kSeed);
    Put(registry, kTcpipKeyName, "NameServer", RegValue::Text(run.dnsServer));
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}};
    CommandMachine machine{registry, true, kFamilyNT, run.limits, false, texts,
                           [](const std::string&, const std::string&) {
                             return true;
                           },
                           [&](const std::string&) { return run.measured; }};
    const CommandResult result =
        RunCommand(ParseCommandLine(run.arguments), machine);
    EXPECT_EQ(run.exitCode, result.exitCode);
    EXPECT_NE(std::string::npos, result.outcome.find(run.said))
        << result.outcome;
    RegValue window, scaling;
    ASSERT_TRUE(Get(registry, kTcpipKeyName, "TcpWindowSize", &window));
    EXPECT_EQ(RegValue::Dword(run.window), window);
    if (run.scaling >= 0) {
      ASSERT_TRUE(Get(registry, kTcpipKeyName, "Tcp1323Opts", &scaling));
      EXPECT_EQ(RegValue::Dword(run.scaling), scaling);
    }
  }
  // A line speed that is none is refused before anything is looked at.
  const CommandResult refused =
      BadArguments(ParseCommandLine("/set dsl /findmtu /speed 0"));
  EXPECT_EQ(kExitBadArguments, refused.exitCode);
  EXPECT_EQ("bad arguments: /speed takes the line's speed in kbit/s, a whole "
            "number from 1 to 10000000; Velocine /? shows the usage",
            refused.outcome);
  EXPECT_EQ("bad arguments; Velocine /? shows the usage",
            BadArguments(ParseCommandLine("/set")).outcome);
}

// The DNS server the search pings by default, as each family keeps it, and
// whether it lies on this side of the line.
TEST(CommandRun, TheDefaultProbeHostIsTheFirstDnsServerKept) {
  const char kCard[] = "{1F1C0BB9-0000-4C32-8000-000000000001}";
  const struct {
    WindowsFamily family;
    const char* key;  // under the family's TCP/IP key or an NT interface
    const char* name;
    RegValue value;
    const char* server;
    bool onOwnNetwork;
  } kKept[] = {
      {kFamilyNT, "", "NameServer", RegValue::Text("198.51.100.1 10.1.1.2"),
       "198.51.100.1", false},
      {kFamilyNT, "", "DhcpNameServer",
       RegValue::Text(" 198.51.100.2,10.1.1.2"), "198.51.100.2", false},
      {kFamilyNT, kCard, "DhcpNameServer", RegValue::Text("198.51.100.3"),
       "198.51.100.3", false},
      {kFamilyNT, "", "NameServer", RegValue::Dword(0x0a010101), "", false},
      {kFamilyNT, "", "NameServer", RegValue::Text(""), "", false},
      {kFamily9x, "", "NameServer", RegValue::Text("198.51.100.4,10.1.1.2"),
       "198.51.100.4", false},
      {kFamilyNT, "", "NameServer", RegValue::Text("10.0.0.138"),
       "10.0.0.138", true},
      {kFamilyNT, "", "NameServer", RegValue::Text("172.31.0.1"),
       "172.31.0.1", true},
      {kFamilyNT, "", "NameServer", RegValue::Text("172.32.0.1"),
       "172.32.0.1", false},
      {kFamilyNT, kCard, "NameServer", RegValue::Text("192.168.0.1"),
       "192.168.0.1", true},
      {kFamily9x, "", "NameServer", RegValue::Text("192.168.2.1"),
       "192.168.2.1", true},
      // A public subnet of the computer's own: its router.
      {kFamilyNT, "", "NameServer", RegValue::Text("198.18.7.1"),
       "198.18.7.1", true},
  };
  for (const auto& kept : kKept) {
    SCOPED_TRACE(kept.server);
    MemoryRegistry registry;
    const std::string tcpip =
        kept.family == kFamilyNT ? kTcpipKeyName : kMstcpKeyName;
    MakeKey(registry, tcpip);
    const std::string card = std::string(kInterfacesKeyName) + "\\" + kCard;
    Put(registry, card, "IPAddress", RegValue::Text("198.18.7.20"));
    Put(registry, card, "SubnetMask", RegValue::Text("255.255.255.0"));
    Put(registry,
        *kept.key ? std::string(kInterfacesKeyName) + "\\" + kept.key : tcpip,
        kept.name, kept.value);
    const ProbeHost probe = DefaultProbeHost(registry, kept.family, kLan);
    EXPECT_EQ(kept.server, probe.host);
    EXPECT_EQ(kept.onOwnNetwork, probe.onOwnNetwork);
  }
}

// NT 4.0 keeps an adapter's addresses with the adapter, as lists: a DNS
// server in the subnet of one of them is the router of this side.
TEST(CommandRun, TheDefaultProbeHostKnowsNt40sOwnSubnets) {
  auto list = [](std::initializer_list<const char*> entries) {
    std::string bytes;
    for (const char* entry : entries) bytes += std::string(entry) + '\0';
    bytes += '\0';
    return RegValue{kRegMultiSz, {bytes.begin(), bytes.end()}};
  };
  for (const char* server : {"198.18.9.1", "198.19.9.1"}) {
    SCOPED_TRACE(server);
    MemoryRegistry registry;
    Put(registry, kTcpipKeyName, "NameServer", RegValue::Text(server));
    const std::string card =
        "HKLM\\System\\CurrentControlSet\\Services\\El90x1\\Parameters\\Tcpip";
    Put(registry, card, "IPAddress", list({"198.51.100.9", "198.18.9.20"}));
    Put(registry, card, "SubnetMask", list({"255.255.255.0", "255.255.255.0"}));
    Put(registry, std::string("HKLM\\") + kTcpipLinkageKey, kTcpipBindValue,
        list({"\\Device\\El90x1"}));
    const ProbeHost probe = DefaultProbeHost(registry, kFamilyNT, kLan);
    EXPECT_EQ(server, probe.host);
    EXPECT_EQ(std::string(server) == "198.18.9.1", probe.onOwnNetwork);
  }
}

// On the NT family each interface keeps its own DNS server: the search
// pings the one of the interface that carries the connection being tuned,
// whichever comes first or last in the registry.
TEST(CommandRun, TheDefaultProbeHostIsThatOfTheConnectionsInterface) {
  const char kWan[] = "{0A000000-0000-4000-8000-00000000000A}";
  const char kCard[] = "{0B000000-0000-4000-8000-00000000000B}";
  MemoryRegistry registry;
  MakeKey(registry, kTcpipKeyName);
  const struct {
    const char* interface;
    const char* adapter;
    uint32_t ifType;  // 23: PPP, 6: Ethernet
    const char* server;
  } kAdapters[] = {{kWan, "0000", 23, "198.51.100.10"},
                   {kCard, "0001", 6, "203.0.113.20"}};
  for (const auto& adapter : kAdapters) {
    Put(registry, std::string(kInterfacesKeyName) + "\\" + adapter.interface,
        "NameServer", RegValue::Text(adapter.server));
    const std::string classKey =
        std::string("HKLM\\") + kNetworkClassKey + "\\" + adapter.adapter;
    Put(registry, classKey, kNetCfgInstanceIdValue,
        RegValue::Text(adapter.interface));
    Put(registry, classKey, kInterfaceTypeValue,
        RegValue::Dword(adapter.ifType));
  }
  EXPECT_EQ("198.51.100.10",
            DefaultProbeHost(registry, kFamilyNT, kDialUp).host);
  EXPECT_EQ("203.0.113.20", DefaultProbeHost(registry, kFamilyNT, kLan).host);
  EXPECT_EQ("203.0.113.20",
            DefaultProbeHost(registry, kFamilyNT, kCableModem).host);
}

// The sweeps: every command of a sequence run on one machine that two
// accounts share, with one call of one kind failing at one position in the
// step under test, or the power going after any call of it. After each
// step, a command that exits 0 has done what it does on a healthy machine;
// once the machine is healthy again, /reset by the account the note names
// gives the originals back.
const char kOtherAccount[] = "Deploy";
const SubTree kHive{kHkeyCurrentUser, "Software"};

// The machine with a hive for each account; the one loaded as
// HKEY_CURRENT_USER is that of the account running.
class SharedMachine {
 public:
  explicit SharedMachine(WindowsFamily family) : family_(family) {
    scenario = SeedMachine(memory, family);
    scenario.record.ConnectionType = kDsl;  // the bindings of every kind
    originals = SettingsSnapshot(memory, family);
    MemoryRegistry fresh;
    hives_[kOtherAccount] = RegistrySnapshot::Take(fresh, {kHive});
    loaded_ = kAccount;
  }

  // Runs `arguments` as `account`, through `registry` (faults) or directly.
  CommandResult Run(const std::string& account, const std::string& arguments,
                    Registry* registry = nullptr) {
    Load(account);
    MapTexts texts;
    texts.texts = {{"41", "[boosted]"}, {"44", "[not fully]"}};
    CommandMachine machine{registry ? *registry : memory, true, family_,
                           WindowsLimits{}, false, texts,
                           [this](const std::string&, const std::string& bytes) {
                             file = bytes;
                             return true;
                           }};
    machine.self = BackupHolder{account, kTaken};
    return RunCommand(ParseCommandLine(arguments), machine);
  }

  // What the account's hive holds with the machine's settings.
  RegistrySnapshot Settings(const std::string& account) {
    Load(account);
    return SettingsSnapshot(memory, family_);
  }

  void Load(const std::string& account) {
    if (account == loaded_) return;
    hives_[loaded_] = RegistrySnapshot::Take(memory, {kHive});
    hives_[account].PutBack(memory);
    loaded_ = account;
  }

  MemoryRegistry memory;
  StoreScenario scenario;
  RegistrySnapshot originals;  // with the first account's hive
  std::string file;            // what /export wrote last

 private:
  WindowsFamily family_;
  std::map<std::string, RegistrySnapshot> hives_;
  std::string loaded_;
};

struct SweptStep {
  const char* account;
  const char* arguments;
};

// How the step under test goes wrong.
struct Injection {
  RegCall call;      // fails once, short of resources
  uint32_t skip;     // after this many calls of its kind; or, with cut,
  bool cut = false;  // the power goes after this many calls of any kind
};

bool Overwrites(const SweptStep& step) {
  return std::string(step.arguments).find("/overwrite") != std::string::npos;
}

// What one step did: the settings it left when it says it is done, and
// those it found when it takes today's values as the originals.
struct StepEnd {
  CommandResult result;
  RegistrySnapshot settings;
  RegistrySnapshot found;
  std::string file;
};

// Runs `steps`, the one numbered `faulty` with `injection`; returns false
// when that step made fewer calls than the injection needs.
bool RunSwept(const std::vector<SweptStep>& steps,
              size_t faulty, const Injection* injection,
              std::vector<StepEnd>* ends, SharedMachine* machine) {
  bool injected = injection == nullptr;
  for (size_t i = 0; i < steps.size(); ++i) {
    FaultInjectingRegistry registry(machine->memory);
    if (i == faulty && injection && injection->cut)
      registry.CutAfter(injection->skip);
    else if (i == faulty && injection)
      registry.FailOnce(injection->call, injection->skip, kNoSystemResources);
    machine->file.clear();
    StepEnd end;
    if (Overwrites(steps[i])) end.found = machine->Settings(steps[i].account);
    end.result = machine->Run(steps[i].account, steps[i].arguments, &registry);
    if (i == faulty && registry.Injected() > 0) injected = true;
    if (end.result.exitCode == kExitDone)
      end.settings = machine->Settings(steps[i].account);
    end.file = machine->file;
    ends->push_back(end);
  }
  return injected;
}

// Whether `now` holds `wanted`: exactly, or with the 9x MaxMTU as a restore
// writes it back.
bool HoldsAsRestored(const RegistrySnapshot& wanted,
                     const RegistrySnapshot& now,
                     const StoreScenario& scenario,
                     std::vector<std::string>* differences) {
  *differences = wanted.Differences(now);
  IntendedDifferences made;
  if (!differences->empty())
    *differences =
        ExpectedAfterRestore(wanted, scenario, &made).Differences(now);
  return differences->empty();
}

// Checks what a swept run did against the healthy one; returns the first
// broken promise, or "".
std::string BrokenPromise(const std::vector<SweptStep>& steps, size_t faulty,
                          const std::vector<StepEnd>& healthy,
                          const std::vector<StepEnd>& ends,
                          SharedMachine& machine) {
  for (size_t i = 0; i < steps.size(); ++i) {
    const std::string step = std::string(steps[i].account) + " " +
                             steps[i].arguments + " ";
    const CommandResult& result = ends[i].result;
    // "No backup" and "another account holds it" are claims too.
    const int code = result.exitCode;
    if (i == faulty && code != healthy[i].result.exitCode &&
        (code == kExitNoBackup || code == kExitBackupOfAnotherAccount))
      return step + "exits " + std::to_string(code) +
             " where a healthy machine gives " +
             std::to_string(healthy[i].result.exitCode) + ": " +
             result.outcome;
    if (result.exitCode != kExitDone) continue;
    if (healthy[i].result.exitCode != kExitDone)
      return step + "exits 0 where a healthy machine gives " +
             std::to_string(healthy[i].result.exitCode) + ": " +
             result.outcome;
    // A 9x MaxMTU of "0" that a healthy /reset deletes may be left as it
    // was where a cut kept Finish from writing it.
    // An export changes no setting: its work is the file.
    const bool exports = std::string(steps[i].arguments).find("/export") == 0;
    std::vector<std::string> differences;
    if (!exports && !HoldsAsRestored(ends[i].settings, healthy[i].settings,
                                     machine.scenario, &differences))
      return step + "exits 0 without its work done: " + differences.front();
    if (exports && ends[i].file != healthy[i].file)
      return step + "exits 0 with another file than a healthy machine's";
  }
  // The account the note names (the first one where there is none) puts
  // back; after another account's /overwrite, which took the first one's
  // tuned values as its originals, the first one puts back too.
  RegValue named;
  std::vector<std::string> resetting = {
      Get(machine.memory, kHolderNoteKeyName, "Backup Holder", &named)
          ? named.AsText()
          : kAccount};
  for (const SweptStep& step : steps)
    if (Overwrites(step) && step.account == std::string(kOtherAccount))
      resetting.push_back(kAccount);
  for (const std::string& account : resetting) {
    const CommandResult reset = machine.Run(account, "/reset");
    if (reset.exitCode != kExitDone && reset.exitCode != kExitNoBackup)
      return "the healthy /reset as " + account + " exits " +
             std::to_string(reset.exitCode) + ": " + reset.outcome;
  }
  // The originals, or what this account's /overwrite took in their place
  // (its backup replaced even where its Finish then failed).
  const RegistrySnapshot now = machine.Settings(kAccount);
  std::vector<std::string> differences, ignored;
  bool back = HoldsAsRestored(machine.originals, now, machine.scenario,
                              &differences);
  for (size_t i = 0; i < steps.size(); ++i)
    back = back || (Overwrites(steps[i]) && steps[i].account == kAccount &&
                    HoldsAsRestored(ends[i].found, now, machine.scenario,
                                    &ignored));
  if (!back) return "an original is lost: " + differences.front();
  RegValue holder;
  if (Get(machine.memory, kHolderNoteKeyName, "Backup Holder", &holder))
    return "the note still names " + holder.AsText() +
           ", which holds no backup";
  return "";
}

// Every failing call of every kind at every position of step `faulty`, or
// the power going after every call of it.
void Sweep(WindowsFamily family, const std::vector<SweptStep>& steps,
           size_t faulty, bool cuts, int* runs) {
  std::vector<StepEnd> healthy;
  {
    SharedMachine machine(family);
    RunSwept(steps, faulty, nullptr, &healthy, &machine);
  }
  std::vector<Injection> kinds;
  if (cuts)
    kinds.push_back(Injection{kCallOpenKey, 0, true});
  else
    for (RegCall call : kFailableRegCalls) kinds.push_back(Injection{call, 0});
  for (Injection injection : kinds) {
    for (;; ++injection.skip) {
      SharedMachine machine(family);
      std::vector<StepEnd> ends;
      if (!RunSwept(steps, faulty, &injection, &ends, &machine)) break;
      ++*runs;
      const std::string broken =
          BrokenPromise(steps, faulty, healthy, ends, machine);
      if (broken.empty()) continue;
      std::string sequence;
      for (size_t i = 0; i < steps.size(); ++i)
        sequence += std::string(i ? ", " : "") + steps[i].account + " " +
                    steps[i].arguments + (i == faulty ? " (faulty)" : "");
      ADD_FAILURE() << "family " << family << ": " << sequence << "; "
                    << (injection.cut ? std::string("power cut")
                                      : RegCallName(injection.call))
                    << " after " << injection.skip << ": " << broken;
      return;
    }
  }
}

const std::vector<SweptStep> kAfterEachOther[] = {
    {{kAccount, "/set dsl"}, {kAccount, "/set dsl"}},
    {{kAccount, "/set dsl"}, {kAccount, "/set lan /overwrite"}},
    {{kAccount, "/set dsl"}, {kAccount, "/reset"}},
    {{kAccount, "/set dsl"}, {kAccount, "/export a.reg"}},
};

TEST(CommandRunSweep, OneFaultInAFirstOrARepeatedSet) {
  int runs = 0;
  for (WindowsFamily family : {kFamily9x, kFamilyNT}) {
    Sweep(family, {{kAccount, "/set dsl"}}, 0, false, &runs);
    Sweep(family, {{kAccount, "/set dsl"}, {kAccount, "/set lan"}}, 1, false,
          &runs);
    if (HasFailure()) return;
  }
  std::cout << "[ sweep    ] " << runs << " runs\n";
}

TEST(CommandRunSweep, APowerCutInASetThenEachNextCommand) {
  int runs = 0;
  for (WindowsFamily family : {kFamily9x, kFamilyNT})
    for (const std::vector<SweptStep>& steps : kAfterEachOther) {
      Sweep(family, steps, 0, true, &runs);
      if (HasFailure()) return;
    }
  std::cout << "[ sweep    ] " << runs << " runs\n";
}

TEST(CommandRunSweep, OneFaultInTheNextCommandAfterASet) {
  int runs = 0;
  for (WindowsFamily family : {kFamily9x, kFamilyNT})
    for (const std::vector<SweptStep>& steps : kAfterEachOther) {
      Sweep(family, steps, 1, false, &runs);
      if (HasFailure()) return;
    }
  std::cout << "[ sweep    ] " << runs << " runs\n";
}

TEST(CommandRunSweep, OneFaultInAnotherAccountsCommand) {
  int runs = 0;
  for (WindowsFamily family : {kFamily9x, kFamilyNT})
    for (const char* next :
         {"/set lan", "/set lan /overwrite", "/reset", "/export a.reg"}) {
      Sweep(family, {{kAccount, "/set dsl"}, {kOtherAccount, next}}, 1, false,
            &runs);
      if (HasFailure()) return;
    }
  std::cout << "[ sweep    ] " << runs << " runs\n";
}

}  // namespace
}  // namespace velo
