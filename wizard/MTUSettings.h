// Step 2: the MTU and the MSS. Both boxes start from the recommendation for
// the connection type every time the page is shown; any positive value is
// accepted.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CMTUSettings : public CWizardPage {
 public:
  explicit CMTUSettings(CMyPropertySheet& sheet);

 protected:
  // The recommendations for the connection type, into the record and the
  // boxes.
  void Prepare() override;
};

}  // namespace velo
