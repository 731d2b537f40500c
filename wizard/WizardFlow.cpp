#include "wizard/WizardFlow.h"

namespace velo {

namespace {

WizardPageIndex LastStep(WindowsFamily family) {
  return family == kFamily9x ? kKeepAlivePage : kIcmpRedirectPage;
}

}  // namespace

bool EndsWizard(WizardPageIndex page, WindowsFamily family, int32_t modemFound) {
  if (page == kModemBoostPage) return true;
  return modemFound == 0 && page == LastStep(family);
}

WizardButtons ButtonsOf(WizardPageIndex page, WindowsFamily family,
                        int32_t modemFound) {
  if (page == kConnectionTypePage) return kNextOnly;
  return EndsWizard(page, family, modemFound) ? kBackAndFinish : kBackAndNext;
}

WizardPageIndex NextPage(WizardPageIndex page, WindowsFamily family,
                         int32_t modemFound) {
  if (EndsWizard(page, family, modemFound)) return kNoPage;
  // The 95/98/Me family has no SYN flood or ICMP redirect settings.
  if (page == LastStep(family)) return kModemBoostPage;
  return static_cast<WizardPageIndex>(page + 1);
}

WizardPageIndex PreviousPage(WizardPageIndex page, WindowsFamily family) {
  if (page == kConnectionTypePage) return kNoPage;
  if (page == kModemBoostPage) return LastStep(family);
  return static_cast<WizardPageIndex>(page - 1);
}

}  // namespace velo
