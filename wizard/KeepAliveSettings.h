// Step 6: the keep-alive time and interval. The last step of the 95/98/Me
// family (Finish here, or Next to the modem page when a modem was found);
// the NT family goes on to the SYN flood step.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CKeepAliveSettings : public CWizardPage {
 public:
  explicit CKeepAliveSettings(CMyPropertySheet& sheet);
};

}  // namespace velo
