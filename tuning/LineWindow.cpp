#include "tuning/LineWindow.h"

#include <algorithm>

#include "tuning/ReceiveWindow.h"

namespace velo {

LineWindow WindowForLine(int32_t kbitsPerSecond, int32_t roundTripMs,
                         int32_t mss, int32_t largest) {
  LineWindow line;
  if (kbitsPerSecond < 1 || roundTripMs < 1 || mss < 1 || largest < 1)
    return line;
  // kbit/s x ms = bits; both below 2^31, so the product fits 64 bits.
  const int64_t bytes =
      (static_cast<int64_t>(kbitsPerSecond) * roundTripMs + 7) / 8;
  int64_t segments = (bytes + mss - 1) / mss + kSegmentsBeyondProduct;
  if (segments < kFewestSegmentsInWindow) segments = kFewestSegmentsInWindow;
  const int64_t wanted = (segments + kScalingFactor - 1) / kScalingFactor;
  const ReceiveWindowDefault within = WindowWithin(
      mss, static_cast<int32_t>(std::min<int64_t>(wanted, INT32_MAX)),
      largest);
  line.multiplier = within.multiplier;
  line.window = within.window;
  line.heldToLargest =
      within.multiplier < wanted ||
      !WindowProduct::Of(mss, within.multiplier).IsValidFor(mss, largest);
  line.needsScaling = line.window > kLargestUnscaledReceiveWindow;
  return line;
}

}  // namespace velo
