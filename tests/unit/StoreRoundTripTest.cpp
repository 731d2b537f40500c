// Backup, Finish and Reset in a row give back the registry as it was, byte
// for byte and type for type, for generated registry states of both
// families; the only differences are the ones the store makes on purpose
// (the 9x MaxMTU).
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "support/StoreCycle.h"

namespace velo {
namespace {

IntendedDifferences RoundTripMany(WindowsFamily family) {
  IntendedDifferences total;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    MemoryRegistry registry;
    StoreCycle cycle =
        RunStoreCycle(registry, family, seed, family == kFamilyNT && seed % 3);
    EXPECT_EQ(cycle.scenario.modemFound, cycle.modemFound);
    EXPECT_TRUE(cycle.backup.Succeeded());
    EXPECT_TRUE(cycle.apply.Succeeded());
    EXPECT_TRUE(cycle.applyChangedSettings);
    EXPECT_EQ(kRestoredAll, cycle.restore.result);
    EXPECT_FALSE(cycle.backupKeyLeft);
    EXPECT_TRUE(cycle.differences.empty()) << cycle.differences.front();
    EXPECT_EQ(0u, registry.OpenHandleCount());
    if (::testing::Test::HasFailure()) break;
    total.paddedMtu += cycle.made.paddedMtu;
    total.deletedMtu += cycle.made.deletedMtu;
  }
  return total;
}

TEST(StoreRoundTrip, Family9xComesBackExactlyButForMaxMtu) {
  IntendedDifferences made = RoundTripMany(kFamily9x);
  // The generated states reach both intended differences of the family.
  EXPECT_GT(made.paddedMtu, 0);
  EXPECT_GT(made.deletedMtu, 0);
}

// An interface that came between the wizard's start and Finish gets back
// what it held before Finish, as every other.
TEST(StoreRoundTrip, FamilyNTComesBackExactlyWithInterfacesAddedBeforeFinish) {
  RoundTripMany(kFamilyNT);
}

}  // namespace
}  // namespace velo
