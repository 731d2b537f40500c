// Step 4: the receive window, laid out as MSS x multiplier x 4 = RWIN. Only
// the multiplier is typed; the window follows every keystroke and is refused
// outside the range from the MSS to the largest window.
#pragma once

#include "tuning/ReceiveWindow.h"
#include "wizard/WizardPage.h"

namespace velo {

class CRWINSetting : public CWizardPage {
 public:
  explicit CRWINSetting(CMyPropertySheet& sheet);

 protected:
  // The default multiplier and window for the MSS, and the fixed boxes.
  void Prepare() override;
  BOOL OnKillActive() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  void OnMultiplierTyped();
  void OnMultiplierLeft();
  void PutBackDefault();
  WindowProduct ProductOfMultiplier() const;
  // From the MSS to the largest window of this Windows.
  bool IsValid(const WindowProduct& window) const;
  // The window box and the sign before it.
  void ShowWindowBox();

  ReceiveWindowDefault default_ = {0, 0};
  int32_t multiplierBox_ = 0;
  WindowProduct windowBox_;
};

}  // namespace velo
