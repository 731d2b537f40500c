#include "tuning/Recommendations.h"

#include <algorithm>

#include "tuning/ReceiveWindow.h"

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

void SeedMtu(SettingsRecord& record, int32_t measuredMtu) {
  record.RecommendedMTU = RecommendedMtu(record.ConnectionType);
  record.RecommendedMSS = record.RecommendedMTU - kMssBelowMtu;
  record.NewMTU = measuredMtu > 0 ? measuredMtu : record.RecommendedMTU;
  record.NewMSS = record.NewMTU - kMssBelowMtu;
}

void RecommendEverything(WindowsFamily family, const WindowsLimits& limits,
                         int32_t connectionType, SettingsRecord& record,
                         int32_t measuredMtu) {
  SeedDefaults(family, limits, record);
  record.ConnectionType = connectionType;
  SeedMtu(record, measuredMtu);
  record.NewRWIN = record.RecommendedRWIN =
      DefaultReceiveWindow(connectionType, record.NewMSS,
                           limits.largestRecommendedReceiveWindow)
          .window;
  // The switches' check boxes left as they open: discovery on, black-hole
  // detection and ICMP redirects off.
  record.NewPMTUDiscovery = 1;
  record.NewPMTUBlackHoleDetect = 0;
  record.NewEnableICMPRedirects = 0;
}

LineWindow MeasuredLineWindow(const WindowsLimits& limits,
                              int32_t kbitsPerSecond, uint32_t roundTripMs,
                              int32_t mss) {
  const int32_t roundTrip = static_cast<int32_t>(std::min<uint32_t>(
      std::max<uint32_t>(roundTripMs, 1), INT32_MAX));
  return WindowForLine(kbitsPerSecond, roundTrip, mss,
                       limits.largestRecommendedReceiveWindow);
}

LineWindow RecommendLineWindow(const WindowsLimits& limits,
                               int32_t kbitsPerSecond, uint32_t roundTripMs,
                               SettingsRecord& record) {
  const LineWindow line =
      MeasuredLineWindow(limits, kbitsPerSecond, roundTripMs, record.NewMSS);
  if (line.window > 0) record.NewRWIN = record.RecommendedRWIN = line.window;
  return line;
}

}  // namespace velo
