// Step 1: how the computer is connected. The answer decides the MTU and
// receive window the later steps recommend; a dial-up answer also looks for
// a modem whose port speed can be raised.
#pragma once

#include "wizard/WizardPage.h"

namespace velo {

class CChooseConnectionType : public CWizardPage {
 public:
  explicit CChooseConnectionType(CMyPropertySheet& sheet);

 protected:
  // Dial-up starts checked.
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

 private:
  // The type whose radio is checked.
  int32_t CheckedType() const;
};

}  // namespace velo
