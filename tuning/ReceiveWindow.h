// The receive window the wizard writes: the MSS times a multiplier times a
// fixed scaling factor, accepted only from the MSS up to the largest window
// the running stack takes.
#pragma once

#include <cstdint>
#include <string>

namespace velo {

const int32_t kScalingFactor = 4;

// The multiplier proposed for a connection type: 3 for a dial-up modem, 44
// for the others.
int32_t DefaultMultiplier(int32_t connectionType);

// MSS x multiplier x scaling factor, exactly: neither factor is bounded by
// anything but its 32 bits, so the product is kept as a sign and a 64-bit
// magnitude, which cannot overflow or wrap around.
class WindowProduct {
 public:
  WindowProduct() = default;
  static WindowProduct Of(int32_t mss, int32_t multiplier);
  // A window already known to be valid.
  static WindowProduct Valid(int32_t window);

  // From max(mss, 1) to `largest`, both included.
  bool IsValidFor(int32_t mss, int32_t largest) const;
  // The window itself; meaningful only for a valid product.
  int32_t Window() const { return static_cast<int32_t>(magnitude_); }
  // In signed decimal, however large.
  std::string ToString() const;

  bool operator==(const WindowProduct& other) const {
    return negative_ == other.negative_ && magnitude_ == other.magnitude_;
  }

 private:
  bool negative_ = false;
  uint64_t magnitude_ = 0;
};

// What the page proposes, and falls back on when the user's multiplier
// gives no valid window.
struct ReceiveWindowDefault {
  int32_t multiplier;
  int32_t window;
};

// `multiplier` (at least 1) with the MSS. Where that window is beyond
// `largest`, the largest multiplier whose window still fits (so the window
// stays a multiple of the MSS); for an MSS so large that even a multiplier
// of 1 is too big, multiplier 1 and the largest window. The window is
// always from 1 to `largest`.
ReceiveWindowDefault WindowWithin(int32_t mss, int32_t multiplier,
                                  int32_t largest);

// The connection type's multiplier with the MSS, within `largest`.
ReceiveWindowDefault DefaultReceiveWindow(int32_t connectionType, int32_t mss,
                                          int32_t largest);

// The sign the page shows between the factors and the window: "=" when
// the window is their product; ">" when the product is beyond the largest
// window and the window shown is that largest one, as for an MSS too large
// for any multiplier.
const char* EquationSign(int32_t mss, int32_t multiplier,
                         const WindowProduct& window);

// The message that refuses a window: `message` names the largest window with
// scaling, which is replaced by `largest`, the largest of this Windows.
std::string RangeMessage(const std::string& message, int32_t largest);

}  // namespace velo
