// Backup, Finish and Reset in a row give back the registry as it was, byte
// for byte and type for type, for generated registry states of both
// families; the only differences are the ones the store makes on purpose.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/ModemPortSpeed.h"
#include "store/Restore.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

const uint32_t kSeeds = 300;

// Runs one generated state through the whole cycle; returns the intended
// differences it made.
IntendedDifferences RoundTrip(WindowsFamily family, uint32_t seed) {
  IntendedDifferences made;
  MemoryRegistry registry;
  StoreScenario scenario = SeedStoreScenario(registry, family, seed);
  int32_t modemFound = 0;
  EXPECT_TRUE(DetectBoostableModem(registry, family, modemFound).Succeeded());
  EXPECT_EQ(scenario.modemFound, modemFound);

  SettingsRecord record = scenario.record;
  FoundFlags found;
  EXPECT_TRUE(BackupSettings(registry, family, record, found).Succeeded());
  std::vector<std::string> added;
  if (family == kFamilyNT && seed % 3 == 0)
    added.push_back(AddInterface(registry, "{Added-After-Backup}"));
  RegistrySnapshot before =
      RegistrySnapshot::Take(registry, SettingsSubTrees(family));

  EXPECT_TRUE(ApplySettings(registry, family, record, modemFound).Succeeded());
  EXPECT_FALSE(before.Differences(RegistrySnapshot::Take(
                                      registry, SettingsSubTrees(family)))
                   .empty())
      << "Finish changed nothing";

  RestoreOutcome restored = RestoreBackup(registry, family);
  EXPECT_EQ(kRestoredAll, restored.result);
  EXPECT_TRUE(restored.Succeeded());
  EXPECT_FALSE(KeyExists(registry, kBackupKeyName));
  RegistrySnapshot expected =
      ExpectedAfterRestore(before, scenario, added, &made);
  std::vector<std::string> differences = expected.Differences(
      RegistrySnapshot::Take(registry, SettingsSubTrees(family)));
  EXPECT_TRUE(differences.empty()) << differences.front();
  EXPECT_EQ(0u, registry.OpenHandleCount());
  return made;
}

void RoundTripMany(WindowsFamily family, IntendedDifferences* total) {
  for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    IntendedDifferences made = RoundTrip(family, seed);
    total->paddedMtu += made.paddedMtu;
    total->deletedMtu += made.deletedMtu;
    total->strippedInterfaces += made.strippedInterfaces;
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(StoreRoundTrip, Family9xComesBackExactlyButForMaxMtu) {
  IntendedDifferences made;
  RoundTripMany(kFamily9x, &made);
  // The generated states reach both intended differences of the 9x family.
  EXPECT_GT(made.paddedMtu, 0);
  EXPECT_GT(made.deletedMtu, 0);
}

TEST(StoreRoundTrip, FamilyNTComesBackExactlyButForAddedInterfaces) {
  IntendedDifferences made;
  RoundTripMany(kFamilyNT, &made);
  EXPECT_GT(made.strippedInterfaces, 0);
}

}  // namespace
}  // namespace velo
