// Step 7 of the NT family: the SYN attack protection level, 0 to 2, or 0 to
// 1 on Server 2003, which knows no level 2. A level outside that range keeps
// the user on the page.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CSYNFloodAttackSetting : public CWizardPage {
 public:
  explicit CSYNFloodAttackSetting(CMyPropertySheet& sheet);
};

}  // namespace velo
