// Step 6: the keep-alive time and interval. The last step of the 95/98/Me
// family (Finish here, or Next to the modem page when a modem was found);
// the NT family goes on to the SYN flood step.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CKeepAliveSettings : public CWizardPage {
 public:
  explicit CKeepAliveSettings(CMyPropertySheet& sheet);

  // The boxes start from the recommendations the sheet has seeded.
  void SeedBoxes(const SettingsRecord& record);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  BOOL OnWizardFinish() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  void ShowTexts();
  // Reads the boxes, puts right what is not positive and stores both.
  void Settle();
  BoxBound TimeBound() const;
  BoxBound IntervalBound() const;

  int32_t intervalBox_ = 0;
  int32_t timeBox_ = 0;
};

}  // namespace velo
