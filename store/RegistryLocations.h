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

// The browser's connection limits, the same in both families.
const TunedKey& BrowserKey();
const FamilyLocations& LocationsOf(WindowsFamily family);

// Whether ICMP redirects are followed: NT 4.0 reads the plural name, which
// is the one in the NT TCP/IP key's table; 2000, XP and Server 2003 read
// the singular one.
constexpr char kIcmpRedirectsValue[] = "EnableICMPRedirects";
constexpr char kIcmpRedirectValue[] = "EnableICMPRedirect";
// The name of the ICMP redirect value that this Windows reads.
inline const char* IcmpRedirectName(const WindowsLimits& limits) {
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
// ("HKLM\\System\\..."): Reset puts back only those. A backup made before
// this subkey existed has none, and Reset then puts back every location.
constexpr char kWrittenBackupSubKey[] = "Written Keys";
// A new backup is built here and copied over the backup key only once it is
// whole; the marker value says it is.
constexpr char kNewBackupKey[] = "Software\\Velocine\\New Original Settings";
constexpr char kNewBackupCompleteValue[] = "Complete";
// Set in the NT family's backup key to the ICMP redirect value's name that
// the backup covers; a backup without it covers the plural name, the only
// one that was known before.
constexpr char kIcmpRedirectNameValue[] = "ICMP Redirect Name";
// Set in the backup key by a Reset that has put everything back, just before
// it deletes the key: a backup so marked is gone, even if the delete was cut.
constexpr char kSpentBackupValue[] = "Spent";
// A 9x binding without MaxMTU is recorded in kMtuBackupSubKey as the text
// "0", which a restore reads as "delete MaxMTU".
RegValue NoMtuMarker();
bool IsNoMtuMarker(const RegValue& entry);

// The 9x path from the dial-up adapter to its TCP/IP binding, under HKLM:
// the adapter is the subkey of kNetAdaptersKey whose DeviceDesc is exactly
// kDialUpAdapter; the first of its Bindings names containing kMstcpMarker
// ends in the MSTCP instance; that instance's Driver, under
// kMstcpInstancesKey, contains kNetTransMarker and ends in the binding's
// name under the NetTrans device parent.
constexpr char kNetAdaptersKey[] = "Enum\\Root\\Net";
constexpr char kAdapterDescriptionValue[] = "DeviceDesc";
constexpr char kDialUpAdapter[] = "Dial-Up Adapter";
constexpr char kAdapterBindingsSubKey[] = "Bindings";
constexpr char kMstcpMarker[] = "MSTCP\\";
constexpr char kMstcpInstancesKey[] = "Enum\\Network\\MSTCP";
constexpr char kMstcpDriverValue[] = "Driver";
constexpr char kNetTransMarker[] = "NetTrans\\";
constexpr size_t kInstanceNameLength = 4;

// The modem's capability record, in each subkey of the modem class key.
constexpr char kModemPropertiesValue[] = "Properties";

// The path of `child` one level below `parent`.
std::string JoinKeyPath(const std::string& parent, const std::string& child);

// The 9x family writes every number as text in a buffer of this size.
constexpr uint32_t kTextNumberSize = 260;

}  // namespace velo
