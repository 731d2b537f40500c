#include "support/StoreScenario.h"

#include <cstdio>

#include "store/RegistryLocations.h"
#include "support/RegistryEdit.h"

namespace velo {

const char kBrowserKeyName[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char kBackupKeyName[] = "HKCU\\Software\\Velocine\\Original Settings";
const char kProgramKeyName[] = "HKCU\\Software\\Velocine";
const char kMstcpKeyName[] = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kNetTransKeyName[] =
    "HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans";
const char kTcpipKeyName[] =
    "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kInterfacesKeyName[] =
    "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

const char* ModemClassKeyName(WindowsFamily family) {
  return family == kFamily9x
             ? "HKLM\\System\\CurrentControlSet\\Services\\Class\\Modem"
             : "HKLM\\System\\CurrentControlSet\\Control\\Class\\"
               "{4D36E96D-E325-11CE-BFC1-08002BE10318}";
}

namespace {

const char kNetAdaptersKeyName[] = "HKLM\\Enum\\Root\\Net";
const char kMstcpInstancesKeyName[] = "HKLM\\Enum\\Network\\MSTCP";

const char* const kBrowserValues[] = {"MaxConnectionsPer1_0Server",
                                      "MaxConnectionsPerServer"};
const char* const kMstcpValues[] = {
    "SackOpts",          "Tcp1323Opts",   "DefaultTTL",
    "DefaultRcvWindow",  "GlobalMaxTcpWindowSize", "GlobalMaxTcpWindoSize",
    "PMTUBlackHoleDetect", "PMTUDiscovery", "KeepAliveTime",
    "KeepAliveInterval"};
const char* const kTcpipValues[] = {
    "SackOpts",           "Tcp1323Opts",         "TcpMaxDupAcks",
    "DefaultTTL",         "DefaultReceiveWindow", "TcpWindowSize",
    "GlobalMaxTcpWindowSize", "EnablePMTUBHDetect", "EnablePMTUDiscovery",
    "KeepAliveTime",      "KeepAliveInterval",   "SYNAttackProtect",
    "EnableICMPRedirects"};
// Adapters are told by their ids, never by their names, which are in the
// language of the Windows: a card may be called like the Dial-Up Adapter of
// another language, and an id may come close to the dial-up one.
const char* const kAdapterNames[] = {"Dial-Up Adapter", "DF\xDC-Adapter",
                                     "Carte d'acc\xE8s distant", "NE2000 Compatible"};
const char* const kCardIds[] = {"*PNP80D6", "*PNP83870", "PCI\\VEN_10EC&DEV_8139",
                                "*PNP838"};

// A small generator that gives the same sequence on every platform.
class Dice {
 public:
  explicit Dice(uint32_t seed) : state_(seed * 2654435761u ^ 0x9E3779B9u) {
    if (state_ == 0) state_ = 1;
  }
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  uint32_t Below(uint32_t limit) { return Next() % limit; }

 private:
  uint32_t state_;
};

RegValue Usual(RegType type, uint32_t number) {
  return type == kRegSz ? RegValue::Text(std::to_string(number))
                        : RegValue::Dword(number);
}

std::string Letters(Dice& dice, size_t length) {
  std::string text;
  for (size_t i = 0; i < length; ++i)
    text += static_cast<char>('0' + dice.Below(75));  // '0' to 'z'
  return text;
}

// What a location of `type` may hold; kRegNone means absent.
RegValue Variant(Dice& dice, RegType type) {
  uint32_t number = 1 + dice.Below(70000);
  switch (dice.Below(8)) {
    case 0:
    case 1:
      return RegValue();
    case 2:
    case 3:
      return Usual(type, number);
    case 4:  // the other family's form
      return Usual(type == kRegSz ? kRegDword : kRegSz, number);
    case 5: {  // larger than the 4- or 260-byte read buffer
      if (type == kRegSz) return RegValue::Text(Letters(dice, 261 + dice.Below(400)));
      RegValue wide = Binary(std::string(5 + dice.Below(4), '\x7f'));
      wide.type = kRegDword;
      return wide;
    }
    case 6: {  // unterminated, without digits, or empty
      if (type == kRegDword) {
        RegValue odd = Binary(std::string(dice.Below(2) * 2, '\x01'));
        odd.type = kRegDword;
        return odd;
      }
      const char* const texts[] = {"1500", "abc", ""};
      return RawText(texts[dice.Below(3)]);
    }
    default:
      return Binary(Letters(dice, 1 + dice.Below(12)));
  }
}

void SeedValues(Registry& registry, Dice& dice, const std::string& key,
                RegType type, const char* const* names, size_t count) {
  MakeKey(registry, key);
  for (size_t i = 0; i < count; ++i)
    Put(registry, key, names[i], Variant(dice, type));
  Put(registry, key, "VelocineTestOther", RegValue::Text("left alone"));
}

void SeedRecord(Dice& dice, SettingsRecord* record) {
  int32_t* fields[] = {&record->NewPMTUDiscovery,
                       &record->NewPMTUBlackHoleDetect,
                       &record->NewEnableICMPRedirects,
                       &record->NewMTU,
                       &record->NewMSS,
                       &record->NewRWIN,
                       &record->NewTTL,
                       &record->NewKeepAliveTime,
                       &record->NewKeepAliveInterval,
                       &record->NewSYNAttackProtect,
                       &record->NewMaxConnectionsPer1_0Server,
                       &record->NewMaxConnectionsPerServer};
  for (int32_t* field : fields) *field = static_cast<int32_t>(dice.Next());
}

std::string Numbered(int number) {
  char name[8];
  std::snprintf(name, sizeof name, "%04d", number);
  return name;
}

// Network adapters: cards whose names or ids come close to the dial-up
// adapter's, and maybe the Dial-Up Adapter itself, its id in either list.
// Returns the key of its binding; the cards' go into `cards`.
std::string SeedAdapters9x(Registry& registry, Dice& dice,
                           std::vector<std::string>* cards) {
  int adapters = static_cast<int>(dice.Below(4));
  int exact = dice.Below(3) ? static_cast<int>(dice.Below(adapters + 1)) : -1;
  std::string found;
  for (int i = 0; i < adapters; ++i) {
    // One throw for a card, none for the Dial-Up Adapter, as ever: the
    // seeds keep the machines they have always made.
    std::string binding;
    if (i == exact) {
      const bool ownId = i % 2 == 0;  // else only compatible with it
      binding = SeedAdapter9x(registry, i, kAdapterNames[i % 4],
                              ownId ? "*pnp8387" : "", ownId ? "" : "*PNP8387");
    } else {
      const uint32_t card = dice.Below(4);
      binding = SeedAdapter9x(registry, i, kAdapterNames[card], kCardIds[card]);
    }
    Put(registry, binding, "MaxMTU",
        dice.Below(5) ? Variant(dice, kRegSz) : RegValue::Text("0"));
    Put(registry, binding, "MaxMSS", Variant(dice, kRegSz));
    if (i == exact) found = binding;
    else cards->push_back(binding);
  }
  return found;
}

std::string InterfaceKey(const std::string& name) {
  return std::string(kInterfacesKeyName) + "\\" + name;
}

std::vector<std::string> SeedInterfacesNT(Registry& registry, Dice& dice) {
  std::vector<std::string> keys;
  if (dice.Below(4)) MakeKey(registry, kInterfacesKeyName);
  int count = static_cast<int>(dice.Below(5));
  for (int i = 0; i < count; ++i) {
    std::string key =
        InterfaceKey("{6BD1B5A0-1111-4000-8000-00000000" + Numbered(i) + "}");
    Put(registry, key, "EnableDHCP", RegValue::Dword(1));
    Put(registry, key, "MTU", Variant(dice, kRegDword));
    Put(registry, key, "MSS", Variant(dice, kRegDword));
    keys.push_back(key);
  }
  return keys;
}

// Modems at 115,200 and at other rates, with short or missing records.
// Returns 1 when one of them can be raised.
int32_t SeedModems(Registry& registry, Dice& dice, WindowsFamily family) {
  // 115,200 in the middle bytes, with the outer ones of no known rate.
  const uint32_t kOddOuterBytes = 0x0501C27F;
  int32_t boostable = 0;
  int modems = static_cast<int>(dice.Below(4));
  for (int i = 0; i < modems; ++i) {
    std::string key = std::string(ModemClassKeyName(family)) + "\\" + Numbered(i);
    Put(registry, key, "FriendlyName", RegValue::Text("Test modem"));
    switch (dice.Below(6)) {
      case 0:
        Put(registry, key, "Properties",
            ModemRecord(115200, Letters(dice, 40)));
        boostable = 1;
        break;
      case 1:
        Put(registry, key, "Properties",
            ModemRecord(kOddOuterBytes, Letters(dice, 27)));
        boostable = 1;
        break;
      case 2:
        Put(registry, key, "Properties",
            ModemRecord(57600, Letters(dice, 40)));
        break;
      case 3:
        Put(registry, key, "Properties",
            ModemRecord(115200, Letters(dice, 20)));
        break;
      case 4:
        Put(registry, key, "Properties",
            ModemRecord(115200, Letters(dice, 26)));
        break;
      default:
        break;  // no record at all
    }
  }
  return boostable;
}

}  // namespace

std::string SeedAdapter9x(Registry& registry, int index,
                          const std::string& description,
                          const std::string& hardwareIds,
                          const std::string& compatibleIds) {
  std::string adapter =
      std::string(kNetAdaptersKeyName) + "\\" + Numbered(index);
  Put(registry, adapter, "DeviceDesc", RegValue::Text(description));
  if (!hardwareIds.empty())
    Put(registry, adapter, "HardwareID", RegValue::Text(hardwareIds));
  if (!compatibleIds.empty())
    Put(registry, adapter, "CompatibleIDs", RegValue::Text(compatibleIds));
  Put(registry, adapter + "\\Bindings", "NETBEUI\\" + Numbered(index),
      RegValue::Text(""));
  Put(registry, adapter + "\\Bindings", "MSTCP\\" + Numbered(index),
      RegValue::Text(""));
  std::string binding = Numbered(10 + index);
  Put(registry, std::string(kMstcpInstancesKeyName) + "\\" + Numbered(index),
      "Driver", RegValue::Text("NetTrans\\" + binding));
  std::string bindingKey = std::string(kNetTransKeyName) + "\\" + binding;
  Put(registry, bindingKey, "DriverDesc", RegValue::Text("TCP/IP"));
  return bindingKey;
}

StoreScenario SeedStoreScenario(Registry& registry, WindowsFamily family,
                                uint32_t seed) {
  Dice dice(seed);
  StoreScenario scenario;
  scenario.family = family;
  SeedRecord(dice, &scenario.record);
  if (dice.Below(6)) SeedValues(registry, dice, kBrowserKeyName, kRegDword,
                                kBrowserValues, 2);
  if (family == kFamily9x) {
    SeedValues(registry, dice, kMstcpKeyName, kRegSz, kMstcpValues, 10);
    scenario.dialUpBinding =
        SeedAdapters9x(registry, dice, &scenario.cardBindings);
  } else {
    SeedValues(registry, dice, kTcpipKeyName, kRegDword, kTcpipValues, 13);
    scenario.interfaces = SeedInterfacesNT(registry, dice);
  }
  scenario.modemFound = SeedModems(registry, dice, family);
  return scenario;
}

RegValue ModemRecord(uint32_t rate, std::string bytes) {
  for (size_t i = 0; i < 4 && 24 + i < bytes.size(); ++i)
    bytes[24 + i] = static_cast<char>(rate >> (8 * i));
  return Binary(bytes);
}

RegValue ModemRecord(uint32_t rate, size_t length) {
  std::string bytes;
  for (size_t i = 0; i < length; ++i) bytes += static_cast<char>(0x30 + i);
  return ModemRecord(rate, bytes);
}

std::string AddInterface(Registry& registry, const std::string& name) {
  std::string key = InterfaceKey(name);
  Put(registry, key, "EnableDHCP", RegValue::Dword(0));
  Put(registry, key, "MTU", RegValue::Dword(1400));
  Put(registry, key, "MSS", RegValue::Dword(1360));
  return key;
}

void SeedInterfaces(Registry& registry, int count) {
  MakeKey(registry, kInterfacesKeyName);
  for (int i = 0; i < count; ++i) {
    // Numbered at the front, as GUIDs differ from their first digits.
    char name[48];
    std::snprintf(name, sizeof name, "{%08X-2222-4000-8000-6BD1B5A0C0DE}",
                  static_cast<unsigned>(i) * 2654435761u);
    AddInterface(registry, name);
  }
}

std::vector<SubTree> SettingsSubTrees(WindowsFamily family) {
  std::vector<SubTree> trees = {
      {kHkeyCurrentUser, std::string(kBrowserKeyName).substr(5)}};
  std::vector<std::string> keys;
  if (family == kFamily9x)
    keys = {kMstcpKeyName, kNetTransKeyName, kNetAdaptersKeyName,
            kMstcpInstancesKeyName};
  else
    keys = {kTcpipKeyName};
  keys.push_back(ModemClassKeyName(family));
  for (const std::string& key : keys)
    trees.push_back(SubTree{kHkeyLocalMachine, key.substr(5)});
  return trees;
}

RegistrySnapshot SettingsSnapshot(Registry& registry, WindowsFamily family) {
  return RegistrySnapshot::Take(registry, SettingsSubTrees(family));
}

RegistrySnapshot BackupSnapshot(Registry& registry) {
  return RegistrySnapshot::Take(registry,
                                {SubTree{kHkeyCurrentUser, kBackupKey}});
}

RegistrySnapshot ExpectedAfterRestore(const RegistrySnapshot& before,
                                      const StoreScenario& scenario,
                                      IntendedDifferences* made) {
  RegistrySnapshot expected = before;
  std::vector<std::string> written = scenario.cardBindings;
  if (scenario.record.ConnectionType == kDialUp) written.clear();
  if (scenario.record.ConnectionType == kDialUp ||
      scenario.record.ConnectionType == kDsl)
    written.push_back(scenario.dialUpBinding);
  for (const std::string& binding : written) {
    const RegValue* mtu =
        binding.empty() ? nullptr : before.Find(binding, "MaxMTU");
    if (mtu && mtu->type == kRegSz && mtu->data.size() >= 2 &&
        mtu->data[0] == '0' && mtu->data[1] == 0) {
      expected.Erase(binding, "MaxMTU");
      ++made->deletedMtu;
    } else if (mtu && mtu->type == kRegSz && mtu->data.size() < 260) {
      RegValue padded = *mtu;
      padded.data.resize(260, 0);
      expected.Set(binding, "MaxMTU", padded);
      ++made->paddedMtu;
    }
  }
  return expected;
}

}  // namespace velo
