#include "wizard/ReceiveWindowStep.h"

#include "framework/IntegerText.h"
#include "tuning/Recommendations.h"

namespace velo {

int32_t DefaultLineKbits(int32_t connectionType) {
  switch (connectionType) {
    case kDialUp:
      return 56;
    case kDsl:
      return 1536;
    case kCableModem:
      return 5000;
    default:  // a LAN
      return 10000;
  }
}

void ReceiveWindowStep::Prepare(int32_t connectionType, int32_t mss,
                                const WindowsLimits& limits,
                                const MeasuredRoundTrip& trip) {
  connectionType_ = connectionType;
  mss_ = mss;
  limits_ = limits;
  trip_ = trip;
  if (speedTypedFor_ != connectionType) {
    speed_ = DefaultLineKbits(connectionType);
    speedTypedFor_ = -1;
  }
  Propose();
}

void ReceiveWindowStep::Propose() {
  const LineWindow line = trip_.measured ? MeasuredLineWindow(limits_, speed_,
                                                              trip_.ms, mss_)
                                         : LineWindow();
  proposed_ = line.window > 0
                  ? ReceiveWindowDefault{line.multiplier, line.window}
                  : DefaultReceiveWindow(connectionType_, mss_,
                                         limits_.largestRecommendedReceiveWindow);
  PutBackProposal();
}

void ReceiveWindowStep::PutBackProposal() {
  multiplier_ = proposed_.multiplier;
  window_ = WindowProduct::Valid(proposed_.window);
}

bool ReceiveWindowStep::IsValid() const {
  return window_.IsValidFor(mss_, limits_.largestReceiveWindow);
}

bool ReceiveWindowStep::MultiplierTyped(const std::string& text) {
  multiplier_ = WholeNumberWithin(text, INT32_MIN, INT32_MAX);
  if (multiplier_ == 0) return false;
  window_ = WindowProduct::Of(mss_, multiplier_);
  return true;
}

bool ReceiveWindowStep::MultiplierLeft() {
  window_ = WindowProduct::Of(mss_, multiplier_);
  if (IsValid()) return true;
  PutBackProposal();
  return false;
}

int32_t ReceiveWindowStep::Leave() {
  MultiplierLeft();
  return window_.Window();
}

bool ReceiveWindowStep::SpeedTyped(const std::string& text) {
  const int32_t typed =
      WholeNumberWithin(text, kSlowestLineKbits, kFastestLineKbits);
  if (typed == 0 || typed == speed_) return false;
  speed_ = typed;
  speedTypedFor_ = connectionType_;
  Propose();
  return true;
}

bool ReceiveWindowStep::SpeedLeft(const std::string& text) {
  if (WholeNumberWithin(text, kSlowestLineKbits, kFastestLineKbits) != 0) {
    SpeedTyped(text);
    return true;
  }
  speed_ = DefaultLineKbits(connectionType_);
  speedTypedFor_ = -1;
  Propose();
  return false;
}

}  // namespace velo
