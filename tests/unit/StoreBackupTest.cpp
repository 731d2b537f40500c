// The backup taken when the wizard opens: what it records, and what the
// pages are told the registry held.
#include <gtest/gtest.h>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupExport.h"
#include "store/BackupHolder.h"
#include "store/BackupKey.h"
#include "store/Restore.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

const std::string kMtuEntries = std::string(kBackupKeyName) + "\\MTU Settings";
const std::string kMssEntries = std::string(kBackupKeyName) + "\\MSS Settings";

class StoreBackup : public ::testing::Test {
 protected:
  void Backup(WindowsFamily family) {
    EXPECT_TRUE(BackupSettings(registry_, family, record_, found_).Succeeded());
  }
  // The backup's entry, or a value of type kRegNone when there is none.
  RegValue Entry(const std::string& key, const std::string& name) {
    RegValue value;
    return Get(registry_, key, name, &value) ? value : RegValue();
  }

  MemoryRegistry registry_;
  SettingsRecord record_;
  FoundFlags found_;
};

TEST_F(StoreBackup, NTValuesFillTheRecordAndEveryPresentValueIsKeptWhole) {
  RegValue text = RegValue::Text("7200000");
  RegValue big = Binary(std::string(300, '\x05'));
  Put(registry_, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  Put(registry_, kTcpipKeyName, "EnableICMPRedirects", RegValue::Dword(0));
  Put(registry_, kTcpipKeyName, "DefaultReceiveWindow", RegValue::Dword(4096));
  Put(registry_, kTcpipKeyName, "KeepAliveTime", text);
  Put(registry_, kTcpipKeyName, "TcpWindowSize", big);
  Put(registry_, kBrowserKeyName, "MaxConnectionsPerServer", RegValue::Dword(6));
  Backup(kFamilyNT);

  EXPECT_EQ(1, found_.TTLFound);
  EXPECT_EQ(128, record_.OriginalTTL);
  EXPECT_EQ(1, found_.EnableICMPRedirectsFound);
  EXPECT_EQ(0, record_.OriginalEnableICMPRedirects);
  EXPECT_EQ(1, found_.MaxConnectionsPerServerFound);
  EXPECT_EQ(6, record_.OriginalMaxConnectionsPerServer);
  EXPECT_EQ(0, found_.SYNAttackProtectFound);
  EXPECT_EQ(0, found_.MaxConnectionsPer1_0ServerFound);
  // Not in the location's form: kept as it is, shown as not set.
  EXPECT_EQ(0, found_.KeepAliveTimeFound);
  EXPECT_EQ(0, found_.RWINFound);

  EXPECT_EQ(RegValue::Dword(4096), Entry(kBackupKeyName, "DefaultReceiveWindow"));
  EXPECT_EQ(text, Entry(kBackupKeyName, "KeepAliveTime"));
  EXPECT_EQ(big, Entry(kBackupKeyName, "TcpWindowSize"));
  EXPECT_EQ(kRegNone, Entry(kBackupKeyName, "SYNAttackProtect").type);
}

TEST_F(StoreBackup, NTInterfacesRecordOnlyTheValuesTheyHave) {
  std::string interfaces = std::string(kInterfacesKeyName) + "\\";
  Put(registry_, interfaces + "{1}", "MTU", RegValue::Dword(1500));
  Put(registry_, interfaces + "{1}", "MSS", RegValue::Dword(1460));
  MakeKey(registry_, interfaces + "{2}");
  Put(registry_, interfaces + "{3}", "MTU", RegValue::Dword(576));
  Backup(kFamilyNT);

  EXPECT_EQ(RegValue::Dword(1500), Entry(kMtuEntries, "{1}"));
  EXPECT_EQ(kRegNone, Entry(kMtuEntries, "{2}").type);
  EXPECT_EQ(RegValue::Dword(576), Entry(kMtuEntries, "{3}"));
  EXPECT_EQ(RegValue::Dword(1460), Entry(kMssEntries, "{1}"));
  EXPECT_EQ(kRegNone, Entry(kMssEntries, "{3}").type);
  EXPECT_EQ(576, record_.OriginalMTU) << "the last interface that has one";
  EXPECT_EQ(1460, record_.OriginalMSS);
  EXPECT_EQ(1, found_.MTUFound);
  EXPECT_EQ(1, found_.MSSFound);
}

TEST_F(StoreBackup, NineXTextsShowTheirLeadingDigits) {
  Put(registry_, kMstcpKeyName, "DefaultTTL", RegValue::Text("abc"));
  Put(registry_, kMstcpKeyName, "DefaultRcvWindow", RawText("8760"));
  Put(registry_, kMstcpKeyName, "KeepAliveTime", RegValue::Text("7200000ms"));
  Put(registry_, kMstcpKeyName, "KeepAliveInterval",
      RegValue::Text(std::string(300, '7')));
  Put(registry_, kMstcpKeyName, "PMTUDiscovery", RegValue::Dword(1));
  Backup(kFamily9x);

  EXPECT_EQ(1, found_.TTLFound);
  EXPECT_EQ(0, record_.OriginalTTL);
  EXPECT_EQ(RegValue::Text("abc"), Entry(kBackupKeyName, "DefaultTTL"));
  EXPECT_EQ(8760, record_.OriginalRWIN) << "a text without its NUL";
  EXPECT_EQ(RawText("8760"), Entry(kBackupKeyName, "DefaultRcvWindow"));
  EXPECT_EQ(7200000, record_.OriginalKeepAliveTime);
  EXPECT_EQ(2147483647, record_.OriginalKeepAliveInterval);
  EXPECT_EQ(0, found_.PMTUDiscoveryFound) << "a number where text belongs";
}

TEST_F(StoreBackup, NineXRecordsEveryBindingAndShowsTheDialUpAdaptersLast) {
  Put(registry_, SeedAdapter9x(registry_, 0, "Dial-Up Adapter #2", "*PNP80D6"), "MaxMTU",
      RegValue::Text("1500"));
  SeedAdapter9x(registry_, 1, "Dial-Up Adapter", "PCI\\VEN_10EC&DEV_8139");
  Backup(kFamily9x);
  EXPECT_EQ(RegValue::Text("1500"), Entry(kMtuEntries, "0010"));
  EXPECT_EQ(RegValue::Text("0"), Entry(kMtuEntries, "0011"))
      << "a missing MaxMTU is recorded as 0";
  EXPECT_EQ(1500, record_.OriginalMTU);

  std::string binding = SeedAdapter9x(registry_, 2, "DF\xDC-Adapter", "", "*PNP8387");
  Put(registry_, binding, "MaxMSS", RegValue::Text("536"));
  Put(registry_, binding, "MaxMTU", RegValue::Text("576"));
  Backup(kFamily9x);
  EXPECT_EQ(RegValue::Text("576"), Entry(kMtuEntries, "0012"));
  EXPECT_EQ(RegValue::Text("536"), Entry(kMssEntries, "0012"));
  EXPECT_EQ(576, record_.OriginalMTU) << "the dial-up adapter's, found last";
  EXPECT_EQ(536, record_.OriginalMSS);
}

TEST_F(StoreBackup, ASecondBackupReplacesTheFirstCompletely) {
  Backup(kFamilyNT);
  Put(registry_, kBackupKeyName, "Stale", RegValue::Dword(1));
  SettingsRecord chosen;
  chosen.NewSYNAttackProtect = 2;
  ASSERT_TRUE(ApplySettings(registry_, kFamilyNT, chosen, 0).Succeeded());
  Backup(kFamilyNT);
  EXPECT_EQ(kRegNone, Entry(kBackupKeyName, "Stale").type);
  EXPECT_EQ(RegValue::Dword(2), Entry(kBackupKeyName, "SYNAttackProtect"))
      << "what Finish wrote counts as original now";
}

// A look at the backup that cannot be made is no answer: neither Set, nor
// Reset, nor the export may take it for "there is none".
TEST(BackupLook, AKeyThatDoesNotOpenIsNeverTakenForNoBackup) {
  const std::string newBackup =
      std::string("HKCU\\") + kNewBackupKey;  // settled before each look
  const RegStatus kNoSystemResources = 1450;
  for (const std::string& key : {std::string(kBackupKeyName), newBackup}) {
    for (RegStatus status : {kRegAccessDenied, kNoSystemResources}) {
      for (bool taken : {false, true}) {
        SCOPED_TRACE(key + " answering " + std::to_string(status) +
                     (taken ? ", a backup taken" : ", none taken"));
        MemoryRegistry memory;
        SeedStoreScenario(memory, kFamilyNT, 3);
        SettingsRecord record;
        FoundFlags found;
        if (taken)
          ASSERT_TRUE(
              BackupSettings(memory, kFamilyNT, record, found).Succeeded());
        // A replacement cut short waits to be settled.
        MakeKey(memory, newBackup);
        FaultInjectingRegistry registry(memory);
        registry.FailOpensOf(key, status);
        EXPECT_EQ(kBackupUnknown, LookForBackup(registry));
        StoreOutcome outcome;
        EXPECT_EQ(kBackupUnknown,
                  ExportBackup(registry, kFamilyNT, outcome).presence);
        EXPECT_EQ(kBackupNotRead, RestoreBackup(registry, kFamilyNT).result);
        registry.Heal();
        EXPECT_EQ(taken ? kBackupPresent : kBackupAbsent,
                  LookForBackup(registry));
      }
    }
  }
}

// The note of who holds the backup, as an account other than the holder and
// the holder itself read it; Reset's removal of the backup removes the note
// only when it names the account whose backup went.
TEST(StoreBackupHolder, TheNoteNamesTheHolderOrIsUnreadableNeverAbsent) {
  const char kNoteKey[] = "HKLM\\Software\\Velocine";
  const struct {
    const char* what;
    const char* account;   // the name noted; null: no note
    RegValue planted;      // written over the name when not kRegNone
    RegStatus openStatus;  // what an open of the note's key answers
    HolderNote note;       // as "Admin" reads it
    bool forgotten;        // Reset by "Admin" removes it
  } kNotes[] = {
      {"no note", nullptr, RegValue(), kRegOk, kNoNote, true},
      {"this account's", "Admin", RegValue(), kRegOk, kNoteOfThisAccount,
       true},
      {"this account's in other letters", "ADMIN", RegValue(), kRegOk,
       kNoteOfThisAccount, true},
      {"another account's", "SYSTEM", RegValue(), kRegOk,
       kNoteOfAnotherAccount, false},
      {"a name that is no text", "SYSTEM", RegValue::Dword(5), kRegOk,
       kNoteUnreadable, false},
      {"a key that opens for no one", "SYSTEM", RegValue(), kRegAccessDenied,
       kNoteUnreadable, false},
      {"a key short of resources", "Admin", RegValue(), 1450,
       kNoteUnreadable, false},
  };
  for (const auto& n : kNotes) {
    SCOPED_TRACE(n.what);
    MemoryRegistry memory;
    if (n.account)
      ASSERT_EQ(kRegOk, NoteBackupHolder(memory, BackupHolder{n.account,
                                                         "2026-12-10 00:51"}));
    if (n.planted.type != kRegNone)
      Put(memory, kNoteKey, "Backup Holder", n.planted);
    FaultInjectingRegistry registry(memory);
    if (n.openStatus != kRegOk) registry.FailOpensOf(kNoteKey, n.openStatus);
    BackupHolder holder;
    EXPECT_EQ(n.note, ReadBackupHolder(registry, "Admin", &holder));
    if (n.note == kNoteOfAnotherAccount || n.note == kNoteOfThisAccount) {
      EXPECT_EQ(n.account, holder.account);
      EXPECT_EQ("2026-12-10 00:51", holder.taken);
    }
    // Only a note that may name this account stays: that is said.
    StoreOutcome outcome;
    EXPECT_EQ(n.note != kNoteUnreadable,
              ForgetBackupHolder(registry, "Admin", outcome));
    registry.Heal();
    RegValue left;
    EXPECT_EQ(n.forgotten, !Get(memory, kNoteKey, "Backup Holder", &left));
  }
}

}  // namespace
}  // namespace velo
