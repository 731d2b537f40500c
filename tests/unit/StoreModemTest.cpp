// Finding and raising modems limited to 115,200 bits per second, and putting
// their original rate back on Reset, in both families' modem class keys.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/ModemPortSpeed.h"
#include "store/Restore.h"
#include "support/RegistryEdit.h"
#include "support/StoreCycle.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

class StoreModem : public ::testing::TestWithParam<WindowsFamily> {
 protected:
  std::string Modem(const std::string& name) {
    return std::string(ModemClassKeyName(GetParam())) + "\\" + name;
  }
  void AddModem(const std::string& name, const RegValue& properties) {
    Put(registry_, Modem(name), "Properties", properties);
  }
  RegValue Properties(const std::string& name) {
    RegValue value;
    return Get(registry_, Modem(name), "Properties", &value) ? value
                                                              : RegValue();
  }
  // Finish with a boostable modem found.
  ApplyOutcome Finish() {
    return ApplySettings(registry_, GetParam(), SettingsRecord(), 1);
  }
  int32_t Detect(int32_t modemFound) {
    EXPECT_TRUE(
        DetectBoostableModem(registry_, GetParam(), modemFound).Succeeded());
    return modemFound;
  }
  void Backup() { ASSERT_TRUE(TakeBackup(registry_, GetParam()).Succeeded()); }

  MemoryRegistry registry_;
};

TEST_P(StoreModem, A115200ModemIsFoundRaisedAndItsRecordKept) {
  AddModem("0000", ModemRecord(115200, 40));
  EXPECT_EQ(1, Detect(0));
  Backup();
  EXPECT_TRUE(Finish().Succeeded());
  EXPECT_EQ(ModemRecord(921600, 40), Properties("0000"));
  RegValue kept;
  ASSERT_TRUE(Get(registry_, std::string(kBackupKeyName) + "\\Modem Settings",
                  "0000", &kept));
  EXPECT_EQ(ModemRecord(115200, 40), kept);

  EXPECT_TRUE(Finish().Succeeded());
  EXPECT_EQ(ModemRecord(921600, 40), Properties("0000")) << "raised only once";
  EXPECT_EQ(0, Detect(0)) << "a raised modem is not found again";
}

TEST_P(StoreModem, EveryModemWithTheMiddleBytesIsRaisedAndNoOther) {
  Backup();
  EXPECT_EQ(0, Detect(0)) << "no modem class key";
  EXPECT_TRUE(Finish().Succeeded());

  AddModem("0000", ModemRecord(57600, 40));
  AddModem("0001", ModemRecord(115200, 20));
  AddModem("0002", ModemRecord(115200, 26));
  EXPECT_EQ(0, Detect(0));
  EXPECT_EQ(1, Detect(1)) << "nothing sets the flag back";

  AddModem("0003", ModemRecord(115200, 40));
  // 115,200 in the middle bytes, a record that ends before the top byte.
  AddModem("0004", ModemRecord(0x01C27F, 27));
  EXPECT_EQ(1, Detect(0));
  EXPECT_TRUE(Finish().Succeeded());
  EXPECT_EQ(ModemRecord(57600, 40), Properties("0000"));
  EXPECT_EQ(ModemRecord(115200, 20), Properties("0001"));
  EXPECT_EQ(ModemRecord(115200, 26), Properties("0002"));
  EXPECT_EQ(ModemRecord(921600, 40), Properties("0003"));
  EXPECT_EQ(ModemRecord(0x0E107F, 27), Properties("0004"));
}

TEST_P(StoreModem, WithoutABackupNoModemIsChanged) {
  AddModem("0000", ModemRecord(115200, 40));
  StoreOutcome outcome = Finish();
  EXPECT_FALSE(outcome.Succeeded());
  EXPECT_EQ(ModemRecord(115200, 40), Properties("0000"));
}

TEST_P(StoreModem, ResetPutsTheRateBackAndSkipsModemsRemovedSince) {
  AddModem("0000", ModemRecord(115200, 40));
  AddModem("0001", ModemRecord(115200, 40));
  Backup();
  ASSERT_TRUE(ApplySettings(registry_, GetParam(), SettingsRecord(), 1)
                  .Succeeded());
  RemoveKey(registry_, Modem("0001"));
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, GetParam()).result);
  EXPECT_EQ(ModemRecord(115200, 40), Properties("0000"));
  EXPECT_FALSE(KeyExists(registry_, Modem("0001")));
}

// Reset gives a modem its saved record only while it holds what the boost
// made of it: a modem reinstalled, replaced or changed since keeps its own.
TEST_P(StoreModem, ResetLeavesAModemReplacedOrChangedSinceFinishAlone) {
  for (const char* name : {"0000", "0001", "0002", "0003"})
    AddModem(name, ModemRecord(115200, 40));
  Backup();
  ASSERT_TRUE(Finish().Succeeded());
  AddModem("0000", ModemRecord(115200, 40));            // reinstalled
  AddModem("0001", ModemRecord(57600, 48));             // another modem
  RegValue changed = ModemRecord(921600, 40);
  changed.data[3] = 0x7F;
  AddModem("0002", changed);                        // its driver changed it
  EXPECT_EQ(kRestoredAll, RestoreBackup(registry_, GetParam()).result);
  EXPECT_EQ(ModemRecord(115200, 40), Properties("0000"));
  EXPECT_EQ(ModemRecord(57600, 48), Properties("0001"));
  EXPECT_EQ(changed, Properties("0002"));
  EXPECT_EQ(ModemRecord(115200, 40), Properties("0003")) << "untouched since";
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, StoreModem,
                         ::testing::Values(kFamily9x, kFamilyNT));

}  // namespace
}  // namespace velo
