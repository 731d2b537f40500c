// Step 7 of the NT family: the SYN attack protection level, 0 to 2. A level
// outside that range keeps the user on the page.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CSYNFloodAttackSetting : public CWizardPage {
 public:
  explicit CSYNFloodAttackSetting(CMyPropertySheet& sheet);

  // The box starts from the recommendation the sheet has seeded.
  void SeedBoxes(const SettingsRecord& record);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  void ShowTexts();

  int32_t levelBox_ = 0;
};

}  // namespace velo
