// A new backup replaces the old one whole or not at all: a backup that fails,
// or one cut short by a crash or a power loss at any write, leaves a whole
// backup behind, the previous one or the new one, and Reset works from it; a
// Reset cut short leaves a backup it can finish from, or none.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupExport.h"
#include "store/BackupKey.h"
#include "store/RegistryLocations.h"
#include "store/Restore.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryDecorator.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

// The machine stops after `changes` changing calls: nothing later reaches the
// registry, as when the power goes.
class PowerCut : public RegistryDecorator {
 public:
  PowerCut(Registry& inner, uint32_t changes)
      : RegistryDecorator(inner), left_(changes) {}
  bool Happened() const { return happened_; }

 protected:
  RegStatus Before(const RegCallInfo& info) override {
    if (happened_ && info.call != kCallCloseKey) return kRegAccessDenied;
    bool changing = info.call == kCallSetValue ||
                    info.call == kCallDeleteValue ||
                    info.call == kCallDeleteTree ||
                    info.call == kCallCreateKey;
    if (!changing) return kRegOk;
    if (left_ == 0) {
      happened_ = true;
      return kRegAccessDenied;
    }
    --left_;
    return kRegOk;
  }

 private:
  uint32_t left_;
  bool happened_ = false;
};

// A machine after one wizard run to Finish: its backup holds the originals.
StoreScenario FinishedOnce(Registry& registry, WindowsFamily family,
                           RegistrySnapshot* before = nullptr) {
  StoreScenario scenario = SeedStoreScenario(registry, family, 7);
  if (before)
    *before = SettingsSnapshot(registry, family);
  SettingsRecord record = scenario.record;
  FoundFlags found;
  EXPECT_TRUE(BackupSettings(registry, family, record, found).Succeeded());
  EXPECT_TRUE(ApplySettings(registry, family, record, 1).Succeeded());
  return scenario;
}

class StoreBackupReplace : public ::testing::TestWithParam<WindowsFamily> {
 protected:
  void SetUp() override {
    MemoryRegistry reference;
    scenario_ = FinishedOnce(reference, GetParam(), &before_);
    previous_ = BackupSnapshot(reference);
    SettingsRecord record = scenario_.record;
    FoundFlags found;
    ASSERT_TRUE(
        BackupSettings(reference, GetParam(), record, found).Succeeded());
    replaced_ = BackupSnapshot(reference);
    ASSERT_FALSE(previous_.Differences(replaced_).empty())
        << "the two backups must differ for the test to tell them apart";
  }

  // Finishes once on `memory`, then cuts the power after `changes` changes
  // of the next backup; false when that backup made fewer changes.
  bool CutAReplacement(MemoryRegistry& memory, uint32_t changes) {
    FinishedOnce(memory, GetParam());
    PowerCut machine(memory, changes);
    SettingsRecord record = scenario_.record;
    FoundFlags found;
    BackupSettings(machine, GetParam(), record, found);
    return machine.Happened();
  }

  // The backup the next start finds is whole: the previous one, or the new
  // one when it was marked complete before the cut. Reset then gives back
  // the originals, or, from the new one, has nothing to put back.
  void ExpectAWholeBackupForReset(Registry& memory) {
    ASSERT_EQ(kBackupPresent, LookForBackup(memory));
    EXPECT_FALSE(KeyExists(memory, std::string("HKCU\\") + kNewBackupKey));
    RegistrySnapshot now = BackupSnapshot(memory);
    bool isPrevious = previous_.Differences(now).empty();
    if (isPrevious) {
      ++sawPrevious_;
    } else {
      std::vector<std::string> differences = replaced_.Differences(now);
      ASSERT_TRUE(differences.empty()) << differences.front();
      ++sawReplaced_;
    }
    RegistrySnapshot finished = SettingsSnapshot(memory, GetParam());
    ASSERT_EQ(kRestoredAll, RestoreBackup(memory, GetParam()).result);
    IntendedDifferences made;
    std::vector<std::string> differences =
        (isPrevious ? ExpectedAfterRestore(before_, scenario_, &made)
                    : finished)
            .Differences(SettingsSnapshot(memory, GetParam()));
    EXPECT_TRUE(differences.empty()) << differences.front();
  }

  StoreScenario scenario_;
  RegistrySnapshot before_, previous_, replaced_;
  int sawPrevious_ = 0, sawReplaced_ = 0;
};

TEST_P(StoreBackupReplace, AFailedBackupLeavesAWholeOneForReset) {
  for (RegCall call : {kCallQueryValue, kCallSetValue, kCallCreateKey}) {
    for (uint32_t skip = 0;; ++skip) {
      SCOPED_TRACE(std::string(RegCallName(call)) + " number " +
                   std::to_string(skip + 1));
      MemoryRegistry memory;
      FinishedOnce(memory, GetParam());
      FaultInjectingRegistry registry(memory);
      registry.FailOnce(call, skip);
      SettingsRecord record = scenario_.record;
      FoundFlags found;
      bool taken =
          BackupSettings(registry, GetParam(), record, found).Succeeded();
      if (registry.Injected() == 0) break;
      EXPECT_FALSE(taken);
      ExpectAWholeBackupForReset(memory);
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(sawPrevious_, 0);
}

TEST_P(StoreBackupReplace, APowerCutAtAnyWriteLeavesAWholeBackup) {
  for (uint32_t changes = 0;; ++changes) {
    SCOPED_TRACE("power cut after " + std::to_string(changes) + " changes");
    MemoryRegistry memory;
    if (!CutAReplacement(memory, changes)) break;
    ExpectAWholeBackupForReset(memory);  // at the next start
    if (HasFailure()) return;
  }
  EXPECT_GT(sawPrevious_, 0);
  EXPECT_GT(sawReplaced_, 0) << "a cut during the copy finishes the copy";
}

// Two faults in a row: a replacement cut short at any change, then a backup
// that fails as it settles the leftover. It drops nothing it did not make,
// so a whole backup is still there for Reset.
TEST_P(StoreBackupReplace, ABackupThatCannotSettleACutReplacementDropsNothing) {
  for (uint32_t changes = 0;; ++changes) {
    bool cut = false;
    for (RegCall call :
         {kCallDeleteTree, kCallCreateKey, kCallSetValue, kCallDeleteValue}) {
      SCOPED_TRACE("power cut after " + std::to_string(changes) +
                   " changes, then " + RegCallName(call) + " fails");
      MemoryRegistry memory;
      cut = CutAReplacement(memory, changes);
      if (!cut) break;
      FaultInjectingRegistry registry(memory);
      registry.FailOnce(call, 0);
      SettingsRecord record = scenario_.record;
      FoundFlags found;
      BackupSettings(registry, GetParam(), record, found);
      ExpectAWholeBackupForReset(memory);
      if (HasFailure()) return;
    }
    if (!cut) break;
  }
  EXPECT_GT(sawReplaced_, 0);
}

// A cut at any change Reset makes: the next start finds a backup that Reset
// puts back whole, or none, and then everything is back already.
TEST_P(StoreBackupReplace, APowerCutDuringResetLeavesABackupThatWorksOrNone) {
  int sawNone = 0;
  for (uint32_t changes = 0;; ++changes) {
    SCOPED_TRACE("power cut after " + std::to_string(changes) + " changes");
    MemoryRegistry memory;
    RegistrySnapshot before;
    StoreScenario scenario = FinishedOnce(memory, GetParam(), &before);
    PowerCut machine(memory, changes);
    RestoreBackup(machine, GetParam());
    if (!machine.Happened()) break;
    if (LookForBackup(memory) == kBackupPresent)
      ASSERT_EQ(kRestoredAll, RestoreBackup(memory, GetParam()).result);
    else
      ++sawNone;
    IntendedDifferences made;
    std::vector<std::string> differences =
        ExpectedAfterRestore(before, scenario, &made)
            .Differences(SettingsSnapshot(memory, GetParam()));
    EXPECT_TRUE(differences.empty()) << differences.front();
    if (HasFailure()) return;
  }
  EXPECT_GT(sawNone, 0) << "a cut while the spent backup is deleted";
}

// A replacement cut short at any change, then its completion mark that
// cannot be read (the system short of resources): whether the new backup is
// whole cannot be told, so nothing is settled either way. The look for a
// backup, Reset, the export, a new backup and Finish each say so and leave
// both keys as they are; the next healthy look finds a whole backup.
TEST_P(StoreBackupReplace, AMarkThatCannotBeReadSettlesNothing) {
  const RegStatus kNoSystemResources = 1450;
  const std::string newBackup = std::string("HKCU\\") + kNewBackupKey;
  int leftovers = 0;
  for (uint32_t changes = 0;; ++changes) {
    SCOPED_TRACE("power cut after " + std::to_string(changes) + " changes");
    MemoryRegistry memory;
    if (!CutAReplacement(memory, changes)) break;
    if (!KeyExists(memory, newBackup)) continue;
    SettingsRecord record = scenario_.record;
    FoundFlags found;
    ++leftovers;
    const RegistrySnapshot left = RegistrySnapshot::Take(
        memory, {{kHkeyCurrentUser, "Software\\Velocine"}});
    FaultInjectingRegistry registry(memory);
    registry.FailValueCalls(kCallQueryValue, newBackup, kNoSystemResources,
                            kNewBackupCompleteValue);
    EXPECT_EQ(kBackupUnknown, LookForBackup(registry));
    RestoreOutcome reset = RestoreBackup(registry, GetParam());
    EXPECT_NE(kRestoredAll, reset.result);
    EXPECT_FALSE(reset.Succeeded());
    StoreOutcome exported;
    EXPECT_EQ(kBackupUnknown,
              ExportBackup(registry, GetParam(), exported).presence);
    EXPECT_FALSE(
        BackupSettings(registry, GetParam(), record, found).Succeeded());
    EXPECT_FALSE(ApplySettings(registry, GetParam(), record, 0).Succeeded());
    std::vector<std::string> differences = left.Differences(
        RegistrySnapshot::Take(memory,
                               {{kHkeyCurrentUser, "Software\\Velocine"}}));
    EXPECT_TRUE(differences.empty()) << differences.front();
    ExpectAWholeBackupForReset(memory);
    if (HasFailure()) return;
  }
  EXPECT_GT(leftovers, 0);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, StoreBackupReplace,
                         ::testing::Values(kFamily9x, kFamilyNT));

}  // namespace
}  // namespace velo
