// How the wizard's number boxes put a value right without a message: a
// value below the box's smallest accepted one (an emptied box included)
// becomes the box's recommended value.
#pragma once

#include <cstdint>
#include <string>

namespace velo {

struct BoxBound {
  int32_t lowest;       // the smallest value the box accepts
  int32_t recommended;  // what replaces a smaller one
};

// `value`, or the recommendation when it is below the bound.
int32_t AtLeastLowest(int32_t value, BoxBound bound);

// What a box holds once the focus leaves it: its leading unsigned number
// (0 for none, or for one beyond 32 bits) taken as a signed 32-bit value, so
// that a number above 2147483647 counts as negative; then AtLeastLowest.
// *rewrite tells whether the box must show the recommendation instead.
int32_t SettleOnLeaving(const std::string& boxText, BoxBound bound,
                        bool* rewrite);

}  // namespace velo
