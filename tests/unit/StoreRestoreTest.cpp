// Reset: when it finds nothing to do, and when it keeps the backup.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/Restore.h"
#include "support/RegistryEdit.h"
#include "support/RegistrySnapshot.h"
#include "support/StoreCycle.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

class StoreRestore : public ::testing::Test {
 protected:
  void BackupAndApply(WindowsFamily family) {
    SettingsRecord record;
    FoundFlags found;
    ASSERT_TRUE(BackupSettings(registry_, family, record, found).Succeeded());
    record.NewMTU = 1234;
    ASSERT_TRUE(ApplySettings(registry_, family, record, 0).Succeeded());
  }
  RegValue Value(const std::string& key, const std::string& name) {
    RegValue value;
    return Get(registry_, key, name, &value) ? value : RegValue();
  }

  MemoryRegistry registry_;
};

TEST_F(StoreRestore, WithoutABackupNothingIsChanged) {
  BackupAndApply(kFamilyNT);
  ASSERT_EQ(kRestoredAll, RestoreBackup(registry_, kFamilyNT).result);
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(1));
  RestoreOutcome again = RestoreBackup(registry_, kFamilyNT);
  EXPECT_EQ(kNoBackup, again.result);
  ASSERT_EQ(1u, again.Failures().size());
  EXPECT_EQ(kRegNotFound, again.Failures()[0].status);
  EXPECT_EQ(RegValue::Dword(1), Value(kTcpipKeyName, "DefaultTTL"));
}

// A key removed since Finish (the browser's settings reset, say) is made
// again for the values it had; with none, there is nothing to put back.
TEST_F(StoreRestore, AKeyRemovedSinceFinishIsMadeAgainForTheValuesItHad) {
  BackupAndApply(kFamily9x);
  RemoveKey(registry_, kMstcpKeyName);
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, kFamily9x).result)
      << "nothing existed there before, nothing to put back";
  EXPECT_FALSE(KeyExists(registry_, kMstcpKeyName));

  Put(registry_, kBrowserKeyName, "MaxConnectionsPerServer", RegValue::Dword(2));
  Put(registry_, kBrowserKeyName, "SomeoneElse's", RegValue::Dword(7));
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  BackupAndApply(kFamilyNT);
  RemoveKey(registry_, kTcpipKeyName);
  RemoveKey(registry_, kBrowserKeyName);
  RestoreOutcome outcome = RestoreBackup(registry_, kFamilyNT);
  EXPECT_EQ(kRestoredAll, outcome.result);
  EXPECT_FALSE(KeyExists(registry_, kBackupKeyName));
  EXPECT_EQ(RegValue::Dword(2),
            Value(kBrowserKeyName, "MaxConnectionsPerServer"));
  EXPECT_EQ(RegValue(), Value(kBrowserKeyName, "MaxConnectionsPer1_0Server"));
  EXPECT_EQ(RegValue(), Value(kBrowserKeyName, "SomeoneElse's"))
      << "only what Velocine wrote comes back";
  EXPECT_EQ(RegValue::Dword(128), Value(kTcpipKeyName, "DefaultTTL"));
  EXPECT_EQ(RegValue(), Value(kTcpipKeyName, "SackOpts"));
}

TEST_F(StoreRestore, ABackupMissingItsMtuListLeavesInterfaceMtuAlone) {
  std::string interface = AddInterface(registry_, "{1}");
  BackupAndApply(kFamilyNT);
  RemoveKey(registry_, std::string(kBackupKeyName) + "\\MTU Settings");
  EXPECT_EQ(kRestoreIncomplete, RestoreBackup(registry_, kFamilyNT).result);
  EXPECT_EQ(RegValue::Dword(1234), Value(interface, "MTU"));
  EXPECT_EQ(RegValue::Dword(1), Value(kTcpipKeyName, "SackOpts"))
      << "nothing is put back when part of it cannot be";
  EXPECT_TRUE(KeyExists(registry_, kBackupKeyName));
}

// Reset gives back what Finish changed and leaves alone what it never wrote:
// an interface installed after Finish (a VPN adapter, say) keeps its own MTU
// and MSS; one that existed gets its values back or loses those Finish gave.
TEST_F(StoreRestore, AnInterfaceInstalledAfterFinishKeepsItsOwnValues) {
  std::string had = AddInterface(registry_, "{1}");
  std::string bare = std::string(kInterfacesKeyName) + "\\{2}";
  MakeKey(registry_, bare);
  BackupAndApply(kFamilyNT);
  std::string vpn = AddInterface(registry_, "{VPN}");
  Put(registry_, vpn, "MTU", RegValue::Dword(1300));
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, kFamilyNT).result);
  EXPECT_EQ(RegValue::Dword(1400), Value(had, "MTU"));
  EXPECT_EQ(RegValue::Dword(1360), Value(had, "MSS"));
  EXPECT_EQ(RegValue(), Value(bare, "MTU"));
  EXPECT_EQ(RegValue(), Value(bare, "MSS"));
  EXPECT_EQ(RegValue::Dword(1300), Value(vpn, "MTU"));
  EXPECT_EQ(RegValue::Dword(1360), Value(vpn, "MSS"));
}

// Without a Finish since the backup, Velocine wrote nothing, so Reset has
// nothing to put back: what others changed meanwhile stays.
TEST_F(StoreRestore, AfterCancelResetLeavesWhatOthersChanged) {
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  ASSERT_TRUE(TakeBackup(registry_, kFamilyNT).Succeeded());
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(64));
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, kFamilyNT).result);
  EXPECT_EQ(RegValue::Dword(64), Value(kTcpipKeyName, "DefaultTTL"));
  EXPECT_FALSE(KeyExists(registry_, kBackupKeyName));
}

// A value others changed between the wizard's start and Finish comes back as
// it was just before Finish changed it.
TEST_F(StoreRestore, AValueChangedBeforeFinishComesBackAsFinishFoundIt) {
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  SettingsRecord record;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(registry_, kFamilyNT, record, found).Succeeded());
  EXPECT_EQ(128, record.OriginalTTL);
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(64));
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, record, 0).Succeeded());
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, kFamilyNT).result);
  EXPECT_EQ(RegValue::Dword(64), Value(kTcpipKeyName, "DefaultTTL"));
}

// Two wizards open on one backup (two copies of Velocine): the second
// Finish finds what the first one wrote, but the originals stay the ones the
// first Finish noted.
TEST_F(StoreRestore, ASecondFinishOnOneBackupKeepsTheOriginalsOfTheFirst) {
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  SettingsRecord first, second;
  FoundFlags found;
  ASSERT_TRUE(BackupSettings(registry_, kFamilyNT, first, found).Succeeded());
  ASSERT_TRUE(BackupSettings(registry_, kFamilyNT, second, found).Succeeded());
  first.NewTTL = 64;
  second.NewTTL = 32;
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, first, 0).Succeeded());
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, second, 0).Succeeded());
  EXPECT_EQ(RegValue::Dword(32), Value(kTcpipKeyName, "DefaultTTL"));
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, kFamilyNT).result);
  EXPECT_EQ(RegValue::Dword(128), Value(kTcpipKeyName, "DefaultTTL"));
}

// The ICMP redirect value under the name the release reads: the singular one
// on 2000, XP and Server 2003, the plural one on NT 4.0 and in a backup
// taken before the singular one was known. Finish writes only the covered
// name; Reset puts back exactly what was there and leaves the other alone.
TEST_F(StoreRestore, TheIcmpRedirectValueIsTheOneTheReleaseReads) {
  const RegValue absent;
  const struct {
    const char* release;
    const char* backedUp;  // the name the backup covers
    RegValue singularBefore, pluralBefore;
    RegValue singularAfter, pluralAfter;
  } cases[] = {
      {"XP", kIcmpRedirectValue, RegValue::Dword(1), RegValue::Dword(1),
       RegValue::Dword(0), RegValue::Dword(1)},
      {"2000 without the value", kIcmpRedirectValue, absent,
       RegValue::Dword(1), RegValue::Dword(0), RegValue::Dword(1)},
      {"NT 4.0, or any NT in a backup taken before", kIcmpRedirectsValue, RegValue::Dword(1), absent,
       RegValue::Dword(1), RegValue::Dword(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.release);
    MemoryRegistry registry;
    Put(registry, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
    if (c.singularBefore.type != kRegNone)
      Put(registry, kTcpipKeyName, kIcmpRedirectValue, c.singularBefore);
    if (c.pluralBefore.type != kRegNone)
      Put(registry, kTcpipKeyName, kIcmpRedirectsValue, c.pluralBefore);
    const std::vector<SubTree> machine = {
        {kHkeyLocalMachine, "System"}};
    RegistrySnapshot before = RegistrySnapshot::Take(registry, machine);
    SettingsRecord record;
    FoundFlags found;
    WindowsLimits limits;
    limits.readsSingularIcmpRedirect = c.backedUp == kIcmpRedirectValue;
    ASSERT_TRUE(BackupSettings(registry, kFamilyNT, record, found, limits)
                    .Succeeded());
    const RegValue& shown =
        c.backedUp == kIcmpRedirectValue ? c.singularBefore : c.pluralBefore;
    EXPECT_EQ(shown.type != kRegNone, found.EnableICMPRedirectsFound == 1);
    record.NewEnableICMPRedirects = 0;
    ASSERT_TRUE(ApplySettings(registry, kFamilyNT, record, 0, limits).Succeeded());
    RegValue value;
    EXPECT_EQ(c.singularAfter,
              Get(registry, kTcpipKeyName, kIcmpRedirectValue, &value)
                  ? value : absent);
    EXPECT_EQ(c.pluralAfter,
              Get(registry, kTcpipKeyName, kIcmpRedirectsValue, &value)
                  ? value : absent);
    ASSERT_EQ(kRestoredAll, RestoreBackup(registry, kFamilyNT).result);
    RegistrySnapshot after = RegistrySnapshot::Take(registry, machine);
    EXPECT_EQ(std::vector<std::string>(), before.Differences(after));
  }
}

}  // namespace
}  // namespace velo
