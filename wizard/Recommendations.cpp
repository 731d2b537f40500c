#include "wizard/Recommendations.h"

namespace velo {

void SeedDefaults(WindowsFamily family, const WindowsLimits& limits,
                  SettingsRecord& record) {
  const bool nt = family == kFamilyNT;
  record.NewSYNAttackProtect = record.RecommendedSYNAttackProtect =
      limits.strongestSynAttackProtect;
  record.NewKeepAliveTime = record.RecommendedKeepAliveTime = 7200000;
  record.NewKeepAliveInterval = record.RecommendedKeepAliveInterval = 1000;
  record.NewTTL = record.RecommendedTTL = nt ? 64 : 32;
  record.NewMaxConnectionsPer1_0Server =
      record.RecommendedMaxConnectionsPer1_0Server = nt ? 20 : 4;
  record.NewMaxConnectionsPerServer =
      record.RecommendedMaxConnectionsPerServer = nt ? 20 : 8;
}

int32_t RecommendedMtu(int32_t connectionType) {
  switch (connectionType) {
    case kDialUp:
      return 576;
    case kDsl:
      return 1492;
    default:  // LAN and cable modem
      return 1500;
  }
}

}  // namespace velo
