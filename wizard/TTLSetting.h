// Step 5: the default TTL and the browser's connections per server. The
// boxes keep what the user typed for the whole run; a TTL above 255 keeps
// the user on the page.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CTTLSetting : public CWizardPage {
 public:
  explicit CTTLSetting(CMyPropertySheet& sheet);

  // The boxes start from the recommendations the sheet has seeded.
  void SeedBoxes(const SettingsRecord& record);

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  void ShowTexts();
  BoxBound TtlBound() const;
  BoxBound Http10Bound() const;
  BoxBound Http11Bound() const;

  int32_t http10Box_ = 0;
  int32_t http11Box_ = 0;
  int32_t ttlBox_ = 0;
};

}  // namespace velo
