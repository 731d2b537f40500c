// Every registry location the store reads or writes, for both families of
// Windows, kept together so that each name is spelled once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "registry/RegKey.h"
#include "store/SettingsRecord.h"

namespace velo {

// One number the wizard tunes: the value's name, what Finish writes into it
// and which record fields show what it held before.
struct TunedValue {
  const char* name;
  int32_t SettingsRecord::*newField;  // null: Finish writes fixedNumber
  int32_t fixedNumber;
  int32_t SettingsRecord::*originalField;  // null: no page shows the value
  int32_t FoundFlags::*foundFlag;
  // Whether the running Windows reads the value; null: every Windows of
  // the family does. Finish writes only what is read; a value no Windows
  // reads any more stays in the table for the backups that hold it.
  bool (*readBy)(const WindowsLimits&);
  // The Microsoft text, or the page of the time, that says so.
  const char* source;
  // What Finish writes where the number follows from the record's values
  // rather than from one field; null: newField or fixedNumber.
  int32_t (*numberFor)(const SettingsRecord&) = nullptr;
};

// A key of tuned values, all kept in one form.
struct TunedKey {
  RegHandle root;
  const char* path;
  RegType type;         // kRegSz: decimal text; kRegDword: 32-bit number
  bool createdByApply;  // false: Finish leaves a missing key missing
  const TunedValue* values;
  size_t valueCount;
};

struct FamilyLocations {
  TunedKey tcpip;
  // MTU and MSS per device, kept in the form of tcpip.type: in the 9x family
  // on the dial-up adapter's TCP/IP binding, in the NT family on every
  // interface. A device is a subkey of deviceParent under HKLM.
  const char* deviceParent;
  TunedValue deviceMtu;
  TunedValue deviceMss;
  // One subkey per installed modem, under HKLM.
  const char* modemClass;
};

// The NT family's Tcp1323Opts for the record's receive window: window
// scaling alone (bit 0; timestamps, bit 1, stay off), and only for a window
// the 16 bits of a TCP header cannot carry; 0 for any other.
int32_t WindowScalingOption(const SettingsRecord& record);

// The browser's connection limits, the same in both families.
const TunedKey& BrowserKey();
const FamilyLocations& LocationsOf(WindowsFamily family);

// Whether ICMP redirects are followed: NT 4.0 reads the plural name, which
// is the one in the NT TCP/IP key's table; 2000, XP and Server 2003 read
// the singular one.
constexpr char kIcmpRedirectsValue[] = "EnableICMPRedirects";
constexpr char kIcmpRedirectValue[] = "EnableICMPRedirect";
// The name of the ICMP redirect value that this Windows reads; "" where it
// reads none (NT 4.0 before Service Pack 5), and Finish writes none.
inline const char* IcmpRedirectName(const WindowsLimits& limits) {
  if (!limits.readsIcmpRedirects) return "";
  return limits.readsSingularIcmpRedirect ? kIcmpRedirectValue
                                          : kIcmpRedirectsValue;
}
// `tuned` as this Windows reads it: the singular ICMP redirect value in the
// plural one's place when `icmpRedirectName` is the singular name.
const TunedValue& AsRead(const TunedValue& tuned, const std::string& icmpRedirectName);

// The backup, under HKCU. Its values mirror the browser and TCP/IP keys;
// the subkeys hold the per-device values and the modems' original records.
constexpr char kBackupKey[] = "Software\\Velocine\\Original Settings";
constexpr char kMtuBackupSubKey[] = "MTU Settings";
constexpr char kMssBackupSubKey[] = "MSS Settings";
constexpr char kModemBackupSubKey[] = "Modem Settings";
// The keys Finish wrote into, one value each named by the key's rooted path
// ("HKLM\\System\\..."): Reset puts back only those. Each holds the names
// of the values whose originals the backup keeps (kCoveredNames); a DWORD
// mark, from before the names were kept, covers what the Windows of that
// backup was given. A backup made before this subkey existed has none, and
// Reset then puts back every location.
constexpr char kWrittenBackupSubKey[] = "Written Keys";
// A new backup is built here and copied over the backup key only once it is
// whole; the marker value says it is.
constexpr char kNewBackupKey[] = "Software\\Velocine\\New Original Settings";
constexpr char kNewBackupCompleteValue[] = "Complete";
// The note of the account whose hive holds the backup, under HKLM: the
// account's name and when it took the backup, both text.
constexpr char kBackupHolderKey[] = "Software\\Velocine";
constexpr char kBackupHolderValue[] = "Backup Holder";
constexpr char kBackupTakenValue[] = "Backup Taken";
// Set in the NT family's backup key to the ICMP redirect value's name that
// the backup covers, empty when it covers none; a backup without it covers
// the plural name, the only one that was known before.
constexpr char kIcmpRedirectNameValue[] = "ICMP Redirect Name";
// Set in the backup key by a Reset that has put everything back, just before
// it deletes the key: a backup so marked is gone, even if the delete was cut.
constexpr char kSpentBackupValue[] = "Spent";
// A 9x binding without MaxMTU is recorded in kMtuBackupSubKey as the text
// "0", which a restore reads as "delete MaxMTU".
RegValue NoMtuMarker();
bool IsNoMtuMarker(const RegValue& entry);

// The 9x path from an adapter to its TCP/IP binding, under HKLM: the
// adapters are devices under kDevicesKey (bus, device, instance); the first
// of an adapter's Bindings names containing kMstcpMarker ends in the MSTCP
// instance; that instance's Driver, under kMstcpInstancesKey, contains
// kNetTransMarker and ends in the binding's name under the NetTrans device
// parent. A dial-up device is an adapter whose kHardwareIdValue or
// kCompatibleIdsValue (comma-separated lists) names kDialUpAdapterId or
// kVpnAdapterId: its DeviceDesc is in the language of the Windows
// ("Dial-Up Adapter", "DFÜ-Adapter", ...), these ids are not.
constexpr char kDevicesKey[] = "Enum";
constexpr char kHardwareIdValue[] = "HardwareID";
constexpr char kCompatibleIdsValue[] = "CompatibleIDs";
constexpr char kDialUpAdapterId[] = "*PNP8387";
constexpr char kVpnAdapterId[] = "*PNP8395";
constexpr char kAdapterBindingsSubKey[] = "Bindings";
constexpr char kMstcpMarker[] = "MSTCP\\";
constexpr char kMstcpInstancesKey[] = "Enum\\Network\\MSTCP";
constexpr char kMstcpDriverValue[] = "Driver";
constexpr char kNetTransMarker[] = "NetTrans\\";
constexpr size_t kInstanceNameLength = 4;

// Where this Windows keeps the MTU and MSS of each network device.
enum DeviceLayout {
  kBindings9x,        // the TCP/IP binding of each adapter, under NetTrans
  kInterfacesNT,      // 2000, XP, 2003: one key per interface, by GUID
  kBoundAdaptersNT4,  // NT 4.0: each bound adapter's own TCP/IP parameters
};
DeviceLayout DeviceLayoutOf(WindowsFamily family, const WindowsLimits& limits);
// The key, under HKLM, that holds the MTU and MSS of the device `name`.
std::string DeviceKeyPath(DeviceLayout layout, const std::string& name);
// The NT 4.0 bound adapter whose MTU and MSS the key `rootedPath`
// ("HKLM\\System\\...", as Finish lists the keys it writes) holds; "" when
// the key is no adapter's.
std::string BoundAdapterOfKey(const std::string& rootedPath);
// Set in the NT family's backup key when its MTU and MSS entries name NT
// 4.0's bound adapters; a backup without it names interfaces.
constexpr char kDeviceLayoutValue[] = "MTU Keys";
constexpr char kBoundAdaptersLayout[] = "Bound Adapters";
// Set in an NT 4.0 backup taken where RAS reads its MTU from NdisWan's own
// parameters (Service Pack 4 on): the dial-up connections' MTU goes there,
// recorded in kMtuBackupSubKey under the service's name. Without it no
// dial-up MTU is read, and Finish leaves the NdisWan adapters' alone.
constexpr char kNdisWanMtuValue[] = "Dial-Up MTU";
constexpr char kNdisWanService[] = "NdisWan";
constexpr char kNdisWanParametersKey[] =
    "System\\CurrentControlSet\\Services\\NdisWan\\Parameters";
const TunedValue& NdisWanMtu();

// 2000, XP and Server 2003 read the one MTU of every PPP connection from
// the first protocol entry of NdisWan's parameters, which describes IP over
// PPP by its two protocol types; the key may hold others' values too (a
// VPN's TunnelMTU), which Finish leaves alone. Its originals are kept in
// the backup's kPppBackupSubKey, by value name.
constexpr char kPppProtocolKey[] =
    "System\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";
constexpr char kPppBackupSubKey[] = "PPP Settings";
constexpr uint32_t kIpProtocolType = 0x800;  // ProtocolType: IP
const TunedValue* PppProtocolValues(size_t* count);
const TunedValue& PppProtocolMtu();

// 95/98/Me read the largest receive window as a DWORD from a key below
// their TCP/IP key; its originals are kept in kMstcpParametersBackupSubKey.
constexpr char kMstcpParametersKey[] =
    "System\\CurrentControlSet\\Services\\VxD\\MSTCP\\Parameters";
constexpr char kMstcpParametersBackupSubKey[] = "MSTCP Parameters";
// The receive window cap `name` (WindowsLimits::windowCapName).
const TunedValue& WindowCap(const std::string& name);

// Keys Finish had to make, each named by its rooted path, the topmost one
// made: Reset removes each again once nothing is left in it.
constexpr char kCreatedBackupSubKey[] = "Created Keys";

// NT 4.0 lists the adapters bound to TCP/IP in kTcpipLinkageKey's
// kTcpipBindValue, each as kBoundDevicePrefix and the adapter's service
// name; RAS binds TCP/IP to adapters whose name starts kNdisWanAdapter.
constexpr char kTcpipLinkageKey[] =
    "System\\CurrentControlSet\\Services\\Tcpip\\Linkage";
constexpr char kTcpipBindValue[] = "Bind";
constexpr char kBoundDevicePrefix[] = "\\Device\\";
constexpr char kNdisWanAdapter[] = "NdisWan";

// 2000, XP and 2003 describe each network adapter under the network class
// key; kNetCfgInstanceIdValue names the interface the adapter carries.
constexpr char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\"
    "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kNetCfgInstanceIdValue[] = "NetCfgInstanceId";
constexpr char kComponentIdValue[] = "ComponentId";
constexpr char kMatchingDeviceIdValue[] = "MatchingDeviceId";
constexpr char kInterfaceTypeValue[] = "*IfType";
constexpr char kCharacteristicsValue[] = "Characteristics";

// The modem's capability record, in each subkey of the modem class key.
constexpr char kModemPropertiesValue[] = "Properties";

// The path of `child` one level below `parent`.
std::string JoinKeyPath(const std::string& parent, const std::string& child);

// The 9x family writes every number as text in a buffer of this size.
constexpr uint32_t kTextNumberSize = 260;

}  // namespace velo
