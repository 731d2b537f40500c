// The page after the last step when a modem whose port speed can be raised
// was found: it explains the boost, and its Finish applies everything, the
// port speed first.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CModemBoost : public CWizardPage {
 public:
  explicit CModemBoost(CMyPropertySheet& sheet);
};

}  // namespace velo
