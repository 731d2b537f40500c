// Step 8 of the NT family: whether ICMP redirects are followed. The last
// step of that family: Finish here, or Next to the modem page when a modem
// was found.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CICMPRedirectAttackSetting : public CWizardPage {
 public:
  explicit CICMPRedirectAttackSetting(CMyPropertySheet& sheet);
};

}  // namespace velo
