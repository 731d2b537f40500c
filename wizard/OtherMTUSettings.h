// Step 3: path MTU discovery and black-hole router detection. Each check box
// departs from the recommendation (discovery on, detection off), so leaving
// both unchecked takes the recommendations.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class COtherMTUSettings : public CWizardPage {
 public:
  explicit COtherMTUSettings(CMyPropertySheet& sheet);
};

}  // namespace velo
