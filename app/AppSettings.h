// The program's own settings under HKEY_CURRENT_USER\Software\Velocine:
// `AppPath`, the folder that holds the Lang folder, and `Language`, the name
// of the chosen language file.
#pragma once

#include <string>

#include "lang/LanguagePlatform.h"
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

// The folder that holds the Lang folder: `AppPath` where setup wrote it (for
// the user who installed), else the folder of the running program at
// `modulePath`, so that every other user of the PC, and a copied program,
// finds the languages beside it. Empty when neither names a folder. The
// path is walked a character of the ANSI code page at a time: the trail
// byte of a double-byte character may be a "\\".
std::string LanguageHome(const AppSettings& settings,
                         const std::string& modulePath,
                         const LanguagePlatform& platform);

// Stores `name` as `Language` (REG_SZ with its NUL) in the existing key,
// which is not created. Returns whether it was stored.
bool SaveLanguage(Registry& registry, const std::string& name);

}  // namespace velo
