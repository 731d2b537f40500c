// A registry that refuses chosen calls: no operation crashes, each says what
// failed, and a restore that failed brings everything back once the fault
// is gone.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupKey.h"
#include "store/RegistryLocations.h"
#include "store/Restore.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

// A generated state that reaches every part of the store: the dial-up
// adapter or interfaces, and a modem to raise. The 9x binding's MaxMTU is
// "0", which the backup cannot tell from an absent one.
StoreScenario SeedRichScenario(Registry& registry, WindowsFamily family) {
  for (uint32_t seed = 1;; ++seed) {
    MemoryRegistry probe;
    StoreScenario scenario = SeedStoreScenario(probe, family, seed);
    bool devices = family == kFamily9x ? !scenario.dialUpBinding.empty()
                                       : scenario.interfaces.size() > 1;
    if (!devices || !scenario.modemFound) continue;
    scenario = SeedStoreScenario(registry, family, seed);
    if (family == kFamily9x)
      Put(registry, scenario.dialUpBinding, "MaxMTU", RegValue::Text("0"));
    return scenario;
  }
}

enum Stage { kBackupStage, kApplyStage, kRestoreStage };

// The settings are as before Finish: exactly, or with the 9x MaxMTU as the
// restore writes it back, where Finish had written it.
void ExpectAsBefore(const RegistrySnapshot& before,
                    const StoreScenario& scenario, Registry& registry,
                    WindowsFamily family) {
  RegistrySnapshot now = SettingsSnapshot(registry, family);
  IntendedDifferences made;
  std::vector<std::string> differences = before.Differences(now);
  if (!differences.empty())
    differences =
        ExpectedAfterRestore(before, scenario, &made).Differences(now);
  EXPECT_TRUE(differences.empty()) << differences.front();
}

// Runs the cycle with the (skip+1)th call of one kind failing in `faulty`
// stage. Returns false once that stage makes fewer such calls.
bool CycleWithOneFault(WindowsFamily family, Stage faulty, RegCall call,
                       uint32_t skip) {
  MemoryRegistry memory;
  FaultInjectingRegistry registry(memory);
  StoreScenario scenario = SeedRichScenario(memory, family);
  RegistrySnapshot before = SettingsSnapshot(memory, family);
  SettingsRecord record = scenario.record;
  FoundFlags found;

  if (faulty == kBackupStage) registry.FailOnce(call, skip);
  BackupOutcome backup = BackupSettings(registry, family, record, found);
  if (faulty == kBackupStage) {
    EXPECT_EQ(registry.Injected() == 0, backup.Succeeded());
    // A backup key that exists is whole, even when it got there only as
    // the replacement was finished later.
    if (!backup.Succeeded() && LookForBackup(memory) == kBackupPresent) {
      MemoryRegistry clean;
      SeedRichScenario(clean, family);
      BackupSettings(clean, family, record, found);
      std::vector<std::string> differences =
          BackupSnapshot(clean).Differences(BackupSnapshot(memory));
      EXPECT_TRUE(differences.empty()) << differences.front();
    }
    return registry.Injected() > 0;
  }
  if (faulty == kApplyStage) registry.FailOnce(call, skip);
  ApplyOutcome apply =
      ApplySettings(registry, family, record, scenario.modemFound);
  EXPECT_EQ(registry.Injected() == 0, apply.Succeeded());
  if (faulty == kApplyStage && registry.Injected() == 0) return false;
  if (!apply.Succeeded()) {
    // All or nothing: what was written is put back, exactly as it was,
    // before Finish says so.
    std::vector<std::string> differences =
        before.Differences(SettingsSnapshot(memory, family));
    EXPECT_TRUE(differences.empty()) << differences.front();
  }
  if (faulty == kRestoreStage) {
    registry.FailOnce(call, skip);
    RestoreOutcome failed = RestoreBackup(registry, family);
    if (registry.Injected() == 0) return false;
    if (failed.result == kRestoredAll) {
      // Only the delete of a backup marked spent may fail so: all of it is
      // back, and the next look removes what is left of it.
      EXPECT_EQ(kCallDeleteTree, call);
      EXPECT_EQ(kBackupAbsent, LookForBackup(memory));
      ExpectAsBefore(before, scenario, memory, family);
      return true;
    }
    // Failed as it put back, or as it read the backup.
    EXPECT_TRUE(failed.result == kRestoreIncomplete ||
                failed.result == kBackupNotRead)
        << failed.result;
    EXPECT_FALSE(failed.Succeeded());
    EXPECT_TRUE(KeyExists(memory, kBackupKeyName)) << "the backup must stay";
  }
  registry.Heal();
  RestoreOutcome restored = RestoreBackup(registry, family);
  EXPECT_EQ(kRestoredAll, restored.result);
  ExpectAsBefore(before, scenario, memory, family);
  EXPECT_EQ(0u, memory.OpenHandleCount());
  return true;
}

void EverySingleFault(Stage stage) {
  for (WindowsFamily family : {kFamily9x, kFamilyNT}) {
    for (RegCall call : kFailableRegCalls) {
      for (uint32_t skip = 0;; ++skip) {
        SCOPED_TRACE(std::string(RegCallName(call)) + " number " +
                     std::to_string(skip + 1) + ", family " +
                     std::to_string(family));
        if (!CycleWithOneFault(family, stage, call, skip)) break;
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
}

TEST(StoreFaults, AFailedBackupSaysSo) { EverySingleFault(kBackupStage); }

TEST(StoreFaults, AFailedApplySaysSoAndIsUndoneByRestore) {
  EverySingleFault(kApplyStage);
}

TEST(StoreFaults, AFailedRestoreKeepsTheBackupAndCanBeRepeated) {
  EverySingleFault(kRestoreStage);
}

// Without administrator rights HKLM can be read but not changed. Finish
// changes nothing then, not even the user's own browser limits, so that the
// retry as an administrator, after Yes to the overwrite question, backs up
// the real originals and Reset gives them back.
TEST(StoreFaults, UserWithoutAdministratorRightsThenTheAdvisedRetry) {
  MemoryRegistry memory;
  StoreScenario scenario = SeedRichScenario(memory, kFamilyNT);
  Put(memory, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  Put(memory, kBrowserKeyName, "MaxConnectionsPerServer", RegValue::Dword(2));
  RegistrySnapshot before = SettingsSnapshot(memory, kFamilyNT);
  FaultInjectingRegistry user(memory);
  user.DenyLocalMachineWrites();

  SettingsRecord record = scenario.record;
  record.NewMaxConnectionsPerServer = 20;
  FoundFlags found;
  EXPECT_TRUE(BackupSettings(user, kFamilyNT, record, found).Succeeded());
  EXPECT_EQ(1, found.TTLFound) << "read access is enough to show a value";
  EXPECT_EQ(128, record.OriginalTTL);

  ApplyOutcome apply =
      ApplySettings(user, kFamilyNT, record, scenario.modemFound);
  ASSERT_FALSE(apply.Succeeded());
  for (const StoreFailure& failure : apply.Failures()) {
    EXPECT_EQ(0u, failure.key.find("HKLM\\")) << failure.key;
    EXPECT_EQ(kRegAccessDenied, failure.status);
  }
  std::vector<std::string> differences =
      before.Differences(SettingsSnapshot(memory, kFamilyNT));
  EXPECT_TRUE(differences.empty()) << "nothing is written: "
                                   << differences.front();

  ASSERT_TRUE(BackupSettings(memory, kFamilyNT, record, found).Succeeded());
  ASSERT_TRUE(ApplySettings(memory, kFamilyNT, record, scenario.modemFound)
                  .Succeeded());
  RestoreOutcome denied = RestoreBackup(user, kFamilyNT);
  EXPECT_EQ(kRestoreIncomplete, denied.result);
  EXPECT_TRUE(KeyExists(memory, kBackupKeyName));
  RegValue limit;
  ASSERT_TRUE(Get(memory, kBrowserKeyName, "MaxConnectionsPerServer", &limit));
  EXPECT_EQ(RegValue::Dword(20), limit) << "a refused Reset changes nothing";

  EXPECT_EQ(kRestoredAll, RestoreBackup(memory, kFamilyNT).result);
  ASSERT_TRUE(Get(memory, kBrowserKeyName, "MaxConnectionsPerServer", &limit));
  EXPECT_EQ(RegValue::Dword(2), limit);
  ExpectAsBefore(before, scenario, memory, kFamilyNT);
}

}  // namespace
}  // namespace velo
