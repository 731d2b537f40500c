// Step 4: the receive window, laid out as MSS x multiplier x 4 = RWIN. Only
// the multiplier is typed; the window follows every keystroke and is refused
// outside the range from the MSS to the largest window. Where the MTU step
// measured a round trip, the line's speed is typed too, and the multiplier
// proposed is the one that fills the line (ReceiveWindowStep).
#pragma once

#include "wizard/ReceiveWindowStep.h"
#include "wizard/WizardPage.h"

namespace velo {

class CRWINSetting : public CWizardPage {
 public:
  explicit CRWINSetting(CMyPropertySheet& sheet);

 protected:
  // The proposal for the MSS, the fixed boxes and the line's.
  void Prepare() override;
  BOOL OnKillActive() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  void OnMultiplierTyped();
  void OnMultiplierLeft();
  void OnSpeedLeft();
  // The window box and the sign before it.
  void ShowWindowBox();
  // The proposal: its window recommended and in the boxes.
  void ShowProposal();
  // The speed box, its label and the round trip, where there is a line.
  void ShowLine();

  ReceiveWindowStep step_;
};

}  // namespace velo
