// The settings store against the real registry: generated states of both
// families come back exactly after backup, Finish and Reset, and a user
// without administrator rights gets the truth. Everything seeded is put back
// as it was afterwards.
#include <gtest/gtest.h>

#include "KeptRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/Restore.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryEdit.h"
#include "support/StoreCycle.h"

namespace velo {
namespace {

class StoreOnWindows : public ::testing::TestWithParam<WindowsFamily> {
 protected:
  RegistrySnapshot Settings() { return kept_.Settings(); }

  KeptRegistry kept_{GetParam()};
  Registry& registry_ = kept_.registry();
};

TEST_P(StoreOnWindows, GeneratedStatesComeBackExactly) {
  IntendedDifferences made;
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    kept_.PutBack();
    StoreCycle cycle = RunStoreCycle(registry_, GetParam(), seed,
                                     GetParam() == kFamilyNT && seed % 2);
    EXPECT_EQ(cycle.scenario.modemFound, cycle.modemFound);
    EXPECT_TRUE(cycle.backup.Succeeded());
    EXPECT_TRUE(cycle.apply.Succeeded());
    EXPECT_EQ(kRestoredAll, cycle.restore.result);
    EXPECT_FALSE(cycle.backupKeyLeft);
    ASSERT_TRUE(cycle.differences.empty()) << cycle.differences.front();
    made.paddedMtu += cycle.made.paddedMtu;
    made.deletedMtu += cycle.made.deletedMtu;
  }
  // Only the 9x MaxMTU comes back other than it was (padded, or deleted for
  // the "0" marker); the NT family comes back exactly.
  EXPECT_EQ(GetParam() == kFamily9x, made.paddedMtu + made.deletedMtu > 0);
}

TEST_P(StoreOnWindows, UserWithoutAdministratorRightsIsToldAndCanRetry) {
  WindowsFamily family = GetParam();
  StoreScenario scenario = SeedStoreScenario(registry_, family, 5);
  Put(registry_, family == kFamily9x ? kMstcpKeyName : kTcpipKeyName,
      "DefaultTTL",
      family == kFamily9x ? RegValue::Text("128") : RegValue::Dword(128));
  RegistrySnapshot before = Settings();
  FaultInjectingRegistry user(registry_);
  user.DenyLocalMachineWrites();

  SettingsRecord record = scenario.record;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(user, family, record, found).Succeeded());
  EXPECT_EQ(1, found.TTLFound);
  EXPECT_EQ(128, record.OriginalTTL);
  EXPECT_FALSE(ApplySettings(user, family, record, 1).Succeeded());
  std::vector<std::string> differences = before.Differences(Settings());
  EXPECT_TRUE(differences.empty()) << "nothing is written: "
                                   << differences.front();

  // The retry as an administrator, with Yes to the overwrite question.
  ASSERT_TRUE(BackupSettings(registry_, family, record, found).Succeeded());
  ASSERT_TRUE(ApplySettings(registry_, family, record, 1).Succeeded());
  EXPECT_EQ(kRestoreIncomplete, RestoreBackup(user, family).result);
  EXPECT_TRUE(KeyExists(registry_, kBackupKeyName));
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, family).result);
  IntendedDifferences made;
  differences =
      ExpectedAfterRestore(before, scenario, &made).Differences(Settings());
  EXPECT_TRUE(differences.empty()) << differences.front();
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, StoreOnWindows,
                         ::testing::Values(kFamily9x, kFamilyNT));

}  // namespace
}  // namespace velo
