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
#include "support/StoreScenario.h"

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

}  // namespace
}  // namespace velo
