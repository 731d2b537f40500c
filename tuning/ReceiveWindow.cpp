#include "tuning/ReceiveWindow.h"

#include "store/SettingsRecord.h"

namespace velo {

namespace {

uint64_t Magnitude(int32_t number) {
  // Negating in 64 bits also holds INT32_MIN.
  return number < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(number))
                    : static_cast<uint64_t>(number);
}

}  // namespace

int32_t DefaultMultiplier(int32_t connectionType) {
  return connectionType == kDialUp ? 3 : 44;
}

WindowProduct WindowProduct::Of(int32_t mss, int32_t multiplier) {
  WindowProduct product;
  product.negative_ = (mss < 0) != (multiplier < 0);
  // Each magnitude is at most 2^31, so their product is at most 2^62 and
  // times the factor at most 2^64 - 2^34 unless both are exactly 2^31.
  uint64_t both = Magnitude(mss) * Magnitude(multiplier);
  const uint64_t most = UINT64_MAX / kScalingFactor;
  product.magnitude_ = both > most ? UINT64_MAX : both * kScalingFactor;
  if (product.magnitude_ == 0) product.negative_ = false;
  return product;
}

WindowProduct WindowProduct::Valid(int32_t window) {
  WindowProduct product;
  product.magnitude_ = Magnitude(window);
  product.negative_ = window < 0;
  return product;
}

bool WindowProduct::IsValidFor(int32_t mss, int32_t largest) const {
  const uint64_t lowest = mss < 1 ? 1 : static_cast<uint64_t>(mss);
  return !negative_ && magnitude_ >= lowest &&
         magnitude_ <= static_cast<uint64_t>(largest);
}

std::string WindowProduct::ToString() const {
  return (negative_ ? "-" : "") + std::to_string(magnitude_);
}

ReceiveWindowDefault DefaultReceiveWindow(int32_t connectionType, int32_t mss,
                                          int32_t largest) {
  return WindowWithin(mss, DefaultMultiplier(connectionType), largest);
}

ReceiveWindowDefault WindowWithin(int32_t mss, int32_t multiplier,
                                  int32_t largest) {
  WindowProduct proposed = WindowProduct::Of(mss, multiplier);
  if (proposed.IsValidFor(mss, largest))
    return {multiplier, proposed.Window()};
  if (mss >= 1 && mss <= largest / kScalingFactor) {
    const int32_t fitting = largest / (mss * kScalingFactor);
    return {fitting, mss * fitting * kScalingFactor};
  }
  return {1, largest};
}

const char* EquationSign(int32_t mss, int32_t multiplier,
                         const WindowProduct& window) {
  return WindowProduct::Of(mss, multiplier) == window ? "=" : ">";
}

std::string RangeMessage(const std::string& message, int32_t largest) {
  const std::string scaled = std::to_string(kLargestScaledReceiveWindow);
  std::string named = message;
  const size_t at = named.find(scaled);
  if (at != std::string::npos)
    named.replace(at, scaled.size(), std::to_string(largest));
  return named;
}

}  // namespace velo
