// Step 5: the default TTL and the browser's connections per server. The
// boxes keep what the user typed for the whole run; a TTL above 255 keeps
// the user on the page.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CTTLSetting : public CWizardPage {
 public:
  explicit CTTLSetting(CMyPropertySheet& sheet);
};

}  // namespace velo
