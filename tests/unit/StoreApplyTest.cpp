// What Finish writes, where and in which form.
#include <gtest/gtest.h>

#include "app/WindowsVersion.h"
#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Restore.h"
#include "support/RegistryDecorator.h"
#include "support/RegistryEdit.h"
#include "support/StoreCycle.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

SettingsRecord ChosenValues() {
  SettingsRecord record;
  record.NewPMTUDiscovery = 1;
  record.NewPMTUBlackHoleDetect = 0;
  record.NewEnableICMPRedirects = 1;
  record.NewMTU = 1492;
  record.NewMSS = 1452;
  record.NewRWIN = 64240;
  record.NewTTL = -5;
  record.NewKeepAliveTime = 7200000;
  record.NewKeepAliveInterval = 1000;
  record.NewSYNAttackProtect = 2;
  record.NewMaxConnectionsPer1_0Server = 20;
  record.NewMaxConnectionsPerServer = 8;
  return record;
}

RegValue PaddedText(const std::string& text) {
  RegValue value = RegValue::Text(text);
  value.data.resize(260, 0);
  return value;
}

void ExpectValues(Registry& registry, const std::string& key,
                  const std::vector<std::pair<const char*, RegValue>>& wanted) {
  for (const auto& value : wanted) {
    RegValue got;
    EXPECT_TRUE(Get(registry, key, value.first, &got)) << value.first;
    EXPECT_EQ(value.second, got) << value.first;
  }
}

TEST(StoreApply, NTWritesEveryValueAsADwordAndEveryInterfaceGetsMtuAndMss) {
  MemoryRegistry registry;
  MakeKey(registry, kBrowserKeyName);
  std::string interfaces = std::string(kInterfacesKeyName) + "\\";
  MakeKey(registry, interfaces + "{without}");
  Put(registry, interfaces + "{with}", "MTU", RegValue::Dword(1500));
  ASSERT_TRUE(TakeBackup(registry, kFamilyNT).Succeeded());
  ASSERT_TRUE(ApplySettings(registry, kFamilyNT, ChosenValues(), 0).Succeeded());

  ExpectValues(registry, kTcpipKeyName,
               {{"SackOpts", RegValue::Dword(1)},
                {"Tcp1323Opts", RegValue::Dword(0)},
                {"TcpMaxDupAcks", RegValue::Dword(2)},
                {"DefaultTTL", RegValue::Dword(0xFFFFFFFBu)},
                {"TcpWindowSize", RegValue::Dword(64240)},
                {"GlobalMaxTcpWindowSize", RegValue::Dword(64240)},
                {"EnablePMTUBHDetect", RegValue::Dword(0)},
                {"EnablePMTUDiscovery", RegValue::Dword(1)},
                {"KeepAliveTime", RegValue::Dword(7200000)},
                {"KeepAliveInterval", RegValue::Dword(1000)},
                {"SYNAttackProtect", RegValue::Dword(2)},
                {"EnableICMPRedirects", RegValue::Dword(1)}});
  ExpectValues(registry, kBrowserKeyName,
               {{"MaxConnectionsPer1_0Server", RegValue::Dword(20)},
                {"MaxConnectionsPerServer", RegValue::Dword(8)}});
  // TCP takes the MSS from the MTU, and AFD its default window from its own
  // parameters: neither goes where nothing reads it.
  RegValue unwanted;
  for (const char* name : {"{without}", "{with}"}) {
    ExpectValues(registry, interfaces + name, {{"MTU", RegValue::Dword(1492)}});
    EXPECT_FALSE(Get(registry, interfaces + name, "MSS", &unwanted)) << name;
  }
  EXPECT_FALSE(Get(registry, kTcpipKeyName, "DefaultReceiveWindow", &unwanted));
}

// 2000, XP and 2003 scale their window only where Tcp1323Opts says so, and
// need it only beyond 65,535 bytes (KB 263088): a Finish turns scaling on
// for such a window alone, and a second Finish of the same backup turns it
// off again for a smaller one; Reset puts back the original, whatever
// Finish wrote in between, and deletes one that was not there. NT 4.0
// reads no such option and is given none.
TEST(StoreApply, WindowScalingIsOnOnlyForAWindowBeyond65535) {
  const struct {
    const char* windows;
    VersionNumbers version;
    const char* original;  // null: none
    std::vector<std::pair<int32_t, int32_t>> windowsAndScaling;  // -1: none
  } kRows[] = {
      {"XP", {2, 5, 1, 2}, nullptr, {{64240, 0}, {65535, 0}, {65536, 1}}},
      {"2003", {2, 5, 2, 1}, "3", {{256960, 1}, {17520, 0}}},
      {"2000", {2, 5, 0, 4}, "1", {{6432, 0}, {1073741823, 1}}},
      {"NT 4.0", {2, 4, 0, 6}, "2", {{256960, -1}, {6432, -1}}},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.windows);
    MemoryRegistry registry;
    MakeKey(registry, kTcpipKeyName);
    if (row.original)
      Put(registry, kTcpipKeyName, "Tcp1323Opts",
          RegValue::Dword(std::stoul(row.original)));
    const WindowsLimits limits = CWindowsVersion(row.version).Limits(true);
    ASSERT_TRUE(TakeBackup(registry, kFamilyNT).Succeeded());
    for (const auto& each : row.windowsAndScaling) {
      SettingsRecord record = ChosenValues();
      record.NewRWIN = each.first;
      ASSERT_TRUE(
          ApplySettings(registry, kFamilyNT, record, 0, limits).Succeeded());
      RegValue scaling;
      const bool written = Get(registry, kTcpipKeyName, "Tcp1323Opts", &scaling);
      if (each.second < 0)
        EXPECT_EQ(row.original != nullptr, written) << each.first;
      else
        EXPECT_EQ(RegValue::Dword(each.second), scaling) << each.first;
    }
    ASSERT_EQ(kRestoredAll,
              RestoreBackup(registry, kFamilyNT).result);
    RegValue restored;
    EXPECT_EQ(row.original != nullptr,
              Get(registry, kTcpipKeyName, "Tcp1323Opts", &restored));
    if (row.original)
      EXPECT_EQ(RegValue::Dword(std::stoul(row.original)), restored);
  }
}

// 98, Me and a 95 with the Winsock 2 update read VxD\\MSTCP's values as
// decimal text, a 95 without it as DWORDs (KB 158474); the window cap is a
// DWORD under VxD\\MSTCP\\Parameters, misspelt where 98 reads it (KB
// 239731); no Microsoft text gives 95 or Me one, so they get none; no value
// goes where nothing reads it.
TEST(StoreApply, NineXWritesEachValueWhereAndAsTheReleaseReadsIt) {
  const std::string parameters = std::string(kMstcpKeyName) + "\\Parameters";
  const struct {
    const char* release;
    VersionNumbers version;
    bool winsock2;
    bool text;
    const char* cap;  // null: none
  } rows[] = {
      {"95 without Winsock 2", {1, 4, 0}, false, false, nullptr},
      {"95 with Winsock 2", {1, 4, 0}, true, true, nullptr},
      {"98", {1, 4, 10}, true, true, "GlobalMaxTcpWindoSize"},
      {"Me", {1, 4, 90}, true, true, nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.release);
    MemoryRegistry registry;
    std::string binding = SeedAdapter9x(registry, 0, "Dial-Up Adapter", "*PNP8387");
    const WindowsLimits limits = CWindowsVersion(row.version).Limits(row.winsock2);
    ASSERT_TRUE(TakeBackup(registry, kFamily9x).Succeeded());
    ASSERT_TRUE(ApplySettings(registry, kFamily9x, ChosenValues(), 0, limits)
                    .Succeeded());
    auto number = [&](int32_t n) {
      return row.text ? PaddedText(std::to_string(n))
                      : RegValue::Dword(static_cast<uint32_t>(n));
    };
    std::vector<std::pair<const char*, RegValue>> wanted = {
        {"DefaultTTL", number(-5)},
        {"DefaultRcvWindow", number(64240)},
        {"PMTUBlackHoleDetect", number(0)},
        {"PMTUDiscovery", number(1)},
        {"KeepAliveTime", number(7200000)},
        {"KeepAliveInterval", number(1000)}};
    if (row.winsock2) {
      wanted.push_back({"SackOpts", number(1)});
      wanted.push_back({"Tcp1323Opts", number(0)});
    }
    ExpectValues(registry, kMstcpKeyName, wanted);
    ExpectValues(registry, binding,
                 {{"MaxMTU", PaddedText("1492")}, {"MaxMSS", PaddedText("1452")}});
    if (row.cap)
      ExpectValues(registry, parameters, {{row.cap, RegValue::Dword(64240)}});
    RegValue unwanted;
    for (const char* name : {"SYNAttackProtect", "EnableICMPRedirects",
                             "TcpMaxDupAcks", "DefaultReceiveWindow",
                             "GlobalMaxTcpWindowSize", "GlobalMaxTcpWindoSize"})
      EXPECT_FALSE(Get(registry, kMstcpKeyName, name, &unwanted)) << name;
    if (!row.winsock2)
      for (const char* name : {"SackOpts", "Tcp1323Opts"})
        EXPECT_FALSE(Get(registry, kMstcpKeyName, name, &unwanted)) << name;
    for (const char* name : {"GlobalMaxTcpWindowSize", "GlobalMaxTcpWindoSize"})
      if (!row.cap || std::string(name) != row.cap)
        EXPECT_FALSE(Get(registry, parameters, name, &unwanted)) << name;
  }
}

// Earlier versions gave Me the cap under its right spelling; a later Finish
// leaves it, and Reset still takes it away.
TEST(StoreApply, ResetRemovesTheCapAnEarlierVersionGaveMe) {
  const std::string parameters = std::string(kMstcpKeyName) + "\\Parameters";
  MemoryRegistry registry;
  SeedAdapter9x(registry, 0, "Dial-Up Adapter", "*PNP8387");
  WindowsLimits earlier = CWindowsVersion(VersionNumbers{1, 4, 90}).Limits(true);
  earlier.windowCapName = "GlobalMaxTcpWindowSize";
  ASSERT_TRUE(TakeBackup(registry, kFamily9x).Succeeded());
  ASSERT_TRUE(ApplySettings(registry, kFamily9x, ChosenValues(), 0, earlier)
                  .Succeeded());
  ExpectValues(registry, parameters,
               {{"GlobalMaxTcpWindowSize", RegValue::Dword(64240)}});
  const WindowsLimits now = CWindowsVersion(VersionNumbers{1, 4, 90}).Limits(true);
  ASSERT_TRUE(ApplySettings(registry, kFamily9x, ChosenValues(), 0, now)
                  .Succeeded());
  ASSERT_EQ(kRestoredAll, RestoreBackup(registry, kFamily9x).result);
  RegValue left;
  EXPECT_FALSE(Get(registry, parameters, "GlobalMaxTcpWindowSize", &left));
}

TEST(StoreApply, NineXWithoutDialUpAdapterWritesNoMtu) {
  MemoryRegistry registry;
  std::string binding = SeedAdapter9x(registry, 0, "Dial-Up Adapter", "*PNP80D6");
  ASSERT_TRUE(TakeBackup(registry, kFamily9x).Succeeded());
  ASSERT_TRUE(ApplySettings(registry, kFamily9x, ChosenValues(), 0).Succeeded());
  RegValue unwanted;
  EXPECT_FALSE(Get(registry, binding, "MaxMTU", &unwanted));
  EXPECT_FALSE(Get(registry, binding, "MaxMSS", &unwanted));
}

TEST(StoreApply, AMissingBrowserKeyIsNotCreated) {
  MemoryRegistry registry;
  ASSERT_TRUE(TakeBackup(registry, kFamilyNT).Succeeded());
  ASSERT_TRUE(ApplySettings(registry, kFamilyNT, ChosenValues(), 0).Succeeded());
  EXPECT_FALSE(KeyExists(registry, kBrowserKeyName));
  ExpectValues(registry, kTcpipKeyName, {{"DefaultTTL", RegValue::Dword(0xFFFFFFFBu)}});
}

// Keys written to, in order.
class WriteLog : public RegistryDecorator {
 public:
  explicit WriteLog(Registry& inner) : RegistryDecorator(inner) {}
  std::vector<std::string> keys;

 protected:
  RegStatus Before(const RegCallInfo& info) override {
    if (info.call == kCallSetValue) keys.push_back(info.key);
    return kRegOk;
  }
};

TEST(StoreApply, TheModemIsRaisedBeforeAnyOtherValueIsWritten) {
  MemoryRegistry memory;
  std::string modem = std::string(ModemClassKeyName(kFamilyNT)) + "\\0000";
  Put(memory, modem, "Properties", ModemRecord(115200, 28));
  MakeKey(memory, kBrowserKeyName);
  ASSERT_TRUE(TakeBackup(memory, kFamilyNT).Succeeded());
  WriteLog log(memory);
  ASSERT_TRUE(ApplySettings(log, kFamilyNT, ChosenValues(), 1).Succeeded());
  std::vector<std::string> settings;
  for (const std::string& key : log.keys) {
    if (key == std::string(kBackupKeyName) + "\\Modem Settings")
      EXPECT_TRUE(settings.empty()) << "its original record is kept first";
    if (key.compare(0, 5, "HKLM\\") == 0 || key == kBrowserKeyName)
      settings.push_back(key);
  }
  ASSERT_GE(settings.size(), 2u);
  EXPECT_NE(std::string::npos, settings[0].find("{4D36E96D")) << settings[0];
  RegValue raised;
  ASSERT_TRUE(Get(memory, modem, "Properties", &raised));
  EXPECT_EQ(0x10, raised.data[25]);
}

}  // namespace
}  // namespace velo
