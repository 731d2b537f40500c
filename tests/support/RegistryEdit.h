// Short ways for tests to set and look at single values, with keys named
// with their root: "HKLM\System\...".
#pragma once

#include <string>

#include "registry/RegKey.h"

namespace velo {

// "HKLM\\A\\B" -> kHkeyLocalMachine and "A\\B".
RegHandle SplitRootedKey(const std::string& key, std::string* path);
// kHkeyLocalMachine and "A\\B" -> "HKLM\\A\\B".
std::string RootedKey(RegHandle root, const std::string& path);

// A key or value name in one case, to compare as the registry does.
std::string FoldedName(std::string name);

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
