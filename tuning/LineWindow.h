// The receive window that fills a line: its bandwidth-delay product, the
// bytes that are on their way while the first one's acknowledgement comes
// back, in whole segments, and the segments a full-size transfer adds to
// that round trip; as the receive window step writes every window, the MSS
// times a whole multiplier times the scaling factor.
#pragma once

#include <cstdint>

#include "store/SettingsRecord.h"

namespace velo {

// The line speeds a user may name, in kbit/s: up to 10 Gbit/s.
const int32_t kSlowestLineKbits = 1;
const int32_t kFastestLineKbits = 10000000;

// Fewer segments in flight than this leave a lost one to the retransmission
// timer: recovering it by three duplicate acknowledgements takes three more.
const int32_t kFewestSegmentsInWindow = 4;

// The round trip a full segment sees is longer than an echo's: the line
// takes one segment's time to send it, and the receiver acknowledges every
// second segment, holding one back. Without these two segments a window of
// the bare product leaves the line idle a fifth of the time on DSL and
// cable lines (the line bench's figures).
const int32_t kSegmentsBeyondProduct = 2;

struct LineWindow {
  int32_t multiplier = 0;
  int32_t window = 0;  // the MSS x the multiplier x 4, or the largest
  // Whether the stack must scale its window to offer it: only a window
  // beyond 65,535 bytes needs it.
  bool needsScaling = false;
  // Whether the line wants more than the largest window this Windows reads.
  bool heldToLargest = false;
};

// The line's rate times its round trip, rounded up to whole segments of the
// MSS, two segments more, and at least four; then up to the smallest
// multiplier whose window holds them, within `largest`, the largest window
// this Windows reads (WindowWithin). A line without a rate or a round trip,
// or a segment of no size, has no such window: 0.
LineWindow WindowForLine(int32_t kbitsPerSecond, int32_t roundTripMs,
                         int32_t mss, int32_t largest);

}  // namespace velo
