// The program's own settings under HKEY_CURRENT_USER\Software\Velocine:
// `AppPath`, the folder that holds the Lang folder, and `Language`, the name
// of the chosen language file.
#pragma once

#include <string>

#include "registry/Registry.h"

namespace velo {

struct AppSettings {
  std::string appPath;
  std::string language;
};

// Reads both values (the key opened for reading only). Each must fit in 260
// bytes with its terminating NUL; whatever its type, its data up to the
// first NUL is the text. A missing key or value, or one too long to fit,
// leaves the text empty.
AppSettings ReadAppSettings(Registry& registry);

// Stores `name` as `Language` (REG_SZ with its NUL) in the existing key,
// which is not created. Returns whether it was stored.
bool SaveLanguage(Registry& registry, const std::string& name);

}  // namespace velo
