// The values the wizard recommends, and the starting point of a run.
#pragma once

#include <cstdint>

#include "store/SettingsRecord.h"
#include "tuning/LineWindow.h"

namespace velo {

// Fills the New and Recommended fields that do not depend on the pages'
// answers: SYN attack protection (the strongest level offered),
// keep-alive, TTL and the browser's connection limits. Runs after the backup,
// so every New value starts at its recommendation rather than at what the
// registry held.
void SeedDefaults(WindowsFamily family, const WindowsLimits& limits,
                  SettingsRecord& record);

// The MTU recommended for a connection type; the MSS is 40 bytes less.
int32_t RecommendedMtu(int32_t connectionType);
const int32_t kMssBelowMtu = 40;
// The MTUs the wizard takes: IPv4 needs 68 bytes at least; PPP, Ethernet
// and RAS's IPMTU (KB 183229) carry 1500 at most.
const int32_t kMinimumMtu = 68;
const int32_t kMaximumMtu = 1500;

// Sets the New and Recommended MTU and MSS for the record's connection type;
// a measured MTU (not 0) takes the New MTU's place, the MSS following it.
void SeedMtu(SettingsRecord& record, int32_t measuredMtu = 0);

// Every value a run that takes each recommendation for `connectionType`
// ends with, as the pages would leave it at Finish. A measured MTU (not 0)
// takes the place of the type's, and the MSS and receive window follow it.
void RecommendEverything(WindowsFamily family, const WindowsLimits& limits,
                         int32_t connectionType, SettingsRecord& record,
                         int32_t measuredMtu = 0);

// The window that fills a line of `kbitsPerSecond` over a measured
// `roundTripMs`, for `mss`, within the largest window this Windows is
// proposed; a round trip below the millisecond the echoes tell counts as
// one.
LineWindow MeasuredLineWindow(const WindowsLimits& limits,
                              int32_t kbitsPerSecond, uint32_t roundTripMs,
                              int32_t mss);

// That window for the record's MSS, in place of the connection type's. The
// record is left as it is where the line has no such window (a window of
// 0).
LineWindow RecommendLineWindow(const WindowsLimits& limits,
                               int32_t kbitsPerSecond, uint32_t roundTripMs,
                               SettingsRecord& record);

}  // namespace velo
