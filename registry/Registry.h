// The registry as the program sees it: a small interface shaped like the
// Win32 calls, so the store can run against the real registry (Win32Registry)
// or against an in-memory one that behaves the same way (MemoryRegistry).
#pragma once

#include <cstdint>
#include <string>

namespace velo {

// Status codes are the Win32 error numbers, so both implementations and the
// code above them speak one language.
typedef uint32_t RegStatus;
const RegStatus kRegOk = 0;
const RegStatus kRegNotFound = 2;        // ERROR_FILE_NOT_FOUND
const RegStatus kRegAccessDenied = 5;    // ERROR_ACCESS_DENIED
const RegStatus kRegInvalidHandle = 6;   // ERROR_INVALID_HANDLE
const RegStatus kRegInvalidParam = 87;   // ERROR_INVALID_PARAMETER
const RegStatus kRegMoreData = 234;      // ERROR_MORE_DATA
const RegStatus kRegNoMoreItems = 259;   // ERROR_NO_MORE_ITEMS
const RegStatus kRegKeyDeleted = 1018;   // ERROR_KEY_DELETED

// Value types, numbered as in winnt.h.
typedef uint32_t RegType;
const RegType kRegNone = 0;
const RegType kRegSz = 1;
const RegType kRegExpandSz = 2;
const RegType kRegBinary = 3;
const RegType kRegDword = 4;
const RegType kRegMultiSz = 7;

inline bool IsStringType(RegType type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// An open key. The two predefined roots the program uses never need closing.
typedef uintptr_t RegHandle;
const RegHandle kRegNoHandle = 0;
const RegHandle kHkeyCurrentUser = 0x80000001u;
const RegHandle kHkeyLocalMachine = 0x80000002u;

enum RegAccess {
  kAccessRead,       // query and enumerate only
  kAccessReadWrite,  // also set, delete and create subkeys
};

struct RegKeyInfo {
  uint32_t subKeys = 0;
  uint32_t maxSubKeyLen = 0;     // characters, without the terminating NUL
  uint32_t values = 0;
  uint32_t maxValueNameLen = 0;  // characters, without the terminating NUL
  uint32_t maxValueLen = 0;      // bytes
};

class Registry {
 public:
  virtual ~Registry() {}

  virtual RegStatus OpenKey(RegHandle parent, const std::string& path,
                            RegAccess access, RegHandle* key) = 0;
  // Opens the key, creating it and any missing parents first.
  virtual RegStatus CreateKey(RegHandle parent, const std::string& path,
                              RegAccess access, RegHandle* key) = 0;
  virtual RegStatus CloseKey(RegHandle key) = 0;

  // As RegQueryValueExA: `data` may be null to ask for the size only; a
  // buffer that is too small gives kRegMoreData, the needed size and type,
  // and is left untouched. A string value gets a NUL appended when there is
  // room for it; the NUL is not counted in *size unless it was stored.
  virtual RegStatus QueryValue(RegHandle key, const std::string& name,
                               RegType* type, uint8_t* data,
                               uint32_t* size) = 0;
  // Stores exactly `size` bytes of `data` (no terminating NUL is added).
  virtual RegStatus SetValue(RegHandle key, const std::string& name,
                             RegType type, const uint8_t* data,
                             uint32_t size) = 0;
  virtual RegStatus DeleteValue(RegHandle key, const std::string& name) = 0;
  // Deletes a key with all its subkeys (SHDeleteKeyA).
  virtual RegStatus DeleteTree(RegHandle parent, const std::string& path) = 0;

  // As RegEnumKeyExA: *nameLen is the buffer size in characters on entry and
  // the name's length without NUL on success; a short buffer gives
  // kRegMoreData. Past the last subkey: kRegNoMoreItems.
  virtual RegStatus EnumKey(RegHandle key, uint32_t index, char* name,
                            uint32_t* nameLen) = 0;
  // As RegEnumValueA; `type`, `data` and `dataLen` may be null.
  virtual RegStatus EnumValue(RegHandle key, uint32_t index, char* name,
                              uint32_t* nameLen, RegType* type, uint8_t* data,
                              uint32_t* dataLen) = 0;
  virtual RegStatus QueryInfoKey(RegHandle key, RegKeyInfo* info) = 0;
};

}  // namespace velo
