// Short ways for tests to set and look at single values, with keys named
// with their root: "HKLM\System\...".
#pragma once

#include <string>

#include "registry/RegKey.h"

namespace velo {

// Creates the key when needed. A value of type kRegNone is deleted instead.
void Put(Registry& registry, const std::string& key, const std::string& name,
         const RegValue& value);
// False when the key or the value is absent.
bool Get(Registry& registry, const std::string& key, const std::string& name,
         RegValue* value);
bool KeyExists(Registry& registry, const std::string& key);
void MakeKey(Registry& registry, const std::string& key);
void RemoveKey(Registry& registry, const std::string& key);

RegValue Binary(const std::string& bytes);
// Text stored with exactly these bytes: no NUL is added.
RegValue RawText(const std::string& bytes);

}  // namespace velo
