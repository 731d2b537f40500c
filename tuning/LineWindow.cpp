#include "tuning/LineWindow.h"

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
  const int64_t fitting = largest / mss;
  line.heldToLargest = segments > fitting;
  if (segments > fitting) segments = fitting;
  line.window = segments > 0 ? static_cast<int32_t>(segments * mss) : largest;
  line.needsScaling = line.window > kLargestUnscaledReceiveWindow;
  return line;
}

}  // namespace velo
