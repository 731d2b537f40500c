// What the receive window step proposes and accepts, apart from its window:
// MSS x multiplier x 4 = window, where only the multiplier is typed and a
// window outside the range from the MSS to the largest window is refused.
// Where the MTU step measured a round trip, the step also has the line's
// speed, and proposes the multiplier whose window fills that line; a speed
// the user typed stays while the connection type does.
#pragma once

#include <cstdint>
#include <string>

#include "store/SettingsRecord.h"
#include "tuning/ReceiveWindow.h"
#include "wizard/MtuFinder.h"

namespace velo {

// The speed the step proposes for a connection type, in kbit/s: a 56k
// modem's, DSL's 1.5 Mbit/s, a cable modem's 5 Mbit/s and a 10 Mbit/s
// network's.
int32_t DefaultLineKbits(int32_t connectionType);

class ReceiveWindowStep {
 public:
  // On every activation: the proposal for the connection type and `mss`,
  // and the boxes put back to it (a typed multiplier is dropped).
  void Prepare(int32_t connectionType, int32_t mss,
               const WindowsLimits& limits, const MeasuredRoundTrip& trip);

  // The multiplier box, as the page's data exchange reads and fills it.
  int32_t& Multiplier() { return multiplier_; }
  // MSS x multiplier x 4 as the window box shows it.
  const WindowProduct& WindowBox() const { return window_; }
  const ReceiveWindowDefault& Proposed() const { return proposed_; }
  int32_t Mss() const { return mss_; }

  // The multiplier box's text changed: false while it holds no number (the
  // window box keeps what it showed).
  bool MultiplierTyped(const std::string& text);
  // The focus left the multiplier box: false when its window is refused,
  // and the proposal is back in the boxes.
  bool MultiplierLeft();
  // The page is left: the window it takes, the proposal where the typed
  // one is refused.
  int32_t Leave();

  // Whether the step has a line to fill: a round trip was measured.
  bool HasLine() const { return trip_.measured; }
  const MeasuredRoundTrip& Trip() const { return trip_; }
  int32_t Speed() const { return speed_; }
  // The speed box's text changed: true when it names another speed, whose
  // window is now proposed and in the boxes.
  bool SpeedTyped(const std::string& text);
  // The focus left the speed box: false when it holds no speed, and the
  // connection type's speed is back with its window.
  bool SpeedLeft(const std::string& text);

 private:
  void Propose();
  void PutBackProposal();
  bool IsValid() const;

  int32_t connectionType_ = 0;
  int32_t mss_ = 0;
  WindowsLimits limits_;
  MeasuredRoundTrip trip_;
  int32_t speed_ = 0;
  // The connection type a typed speed was given for; -1: none typed.
  int32_t speedTypedFor_ = -1;
  ReceiveWindowDefault proposed_ = {0, 0};
  int32_t multiplier_ = 0;
  WindowProduct window_;
};

}  // namespace velo
