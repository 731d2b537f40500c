#include "app/AppSettings.h"

#include <algorithm>

#include "registry/RegKey.h"

namespace velo {

namespace {

const char kSettingsKey[] = "Software\\Velocine";
const char kAppPathValue[] = "AppPath";
const char kLanguageValue[] = "Language";
// The application keeps each setting in 260 bytes, NUL included.
const uint32_t kTextLimit = 260;

std::string ReadText(const RegKey& key, const char* name) {
  uint8_t data[kTextLimit];
  uint32_t size = sizeof(data);
  RegType type = kRegNone;
  if (key.Api().QueryValue(key.Handle(), name, &type, data, &size) != kRegOk)
    return std::string();
  const char* text = reinterpret_cast<const char*>(data);
  size_t length = std::find(text, text + std::min(size, kTextLimit), '\0') - text;
  if (length == kTextLimit) return std::string();  // no room for the NUL
  return std::string(text, length);
}

}  // namespace

AppSettings ReadAppSettings(Registry& registry) {
  AppSettings settings;
  RegKey key(registry);
  if (key.Open(kHkeyCurrentUser, kSettingsKey, kAccessRead) != kRegOk)
    return settings;
  settings.appPath = ReadText(key, kAppPathValue);
  settings.language = ReadText(key, kLanguageValue);
  return settings;
}

std::string LanguageHome(const AppSettings& settings,
                         const std::string& modulePath,
                         const LanguagePlatform& platform) {
  if (!settings.appPath.empty()) return settings.appPath;
  size_t folderEnd = 0;
  for (size_t i = 0; i < modulePath.size(); ++i) {
    if (platform.IsLeadByte(static_cast<unsigned char>(modulePath[i])))
      ++i;
    else if (modulePath[i] == '\\' || modulePath[i] == '/')
      folderEnd = i;
  }
  return modulePath.substr(0, folderEnd);
}

bool SaveLanguage(Registry& registry, const std::string& name) {
  RegKey key(registry);
  if (key.Open(kHkeyCurrentUser, kSettingsKey, kAccessReadWrite) != kRegOk)
    return false;
  return key.Write(kLanguageValue, RegValue::Text(name)) == kRegOk;
}

}  // namespace velo
