// The order of the wizard's pages and which buttons each offers: six steps
// on 95/98/Me, eight on the NT family, and the modem boost page last when a
// modem whose port speed can be raised was found.
#pragma once

#include <cstdint>

#include "store/SettingsRecord.h"

namespace velo {

// Positions of the pages in the sheet, in the order they are added.
enum WizardPageIndex {
  kConnectionTypePage = 0,
  kMtuPage = 1,
  kPathMtuPage = 2,
  kReceiveWindowPage = 3,
  kTtlPage = 4,
  kKeepAlivePage = 5,
  kSynFloodPage = 6,
  kIcmpRedirectPage = 7,
  kModemBoostPage = 8,
  kNoPage = -1,
};

const int kWizardPageCount = kModemBoostPage + 1;

// The wizard buttons a page shows, as the sheet's set-wizard-buttons request
// takes them.
enum WizardButtons {
  kNextOnly = 2,       // Next
  kBackAndNext = 3,    // Back and Next
  kBackAndFinish = 5,  // Back and Finish
};

// Whether `page` ends the run with Finish.
bool EndsWizard(WizardPageIndex page, WindowsFamily family, int32_t modemFound);

// The buttons `page` shows while it is the current page.
WizardButtons ButtonsOf(WizardPageIndex page, WindowsFamily family,
                        int32_t modemFound);

// Where Next leads from `page`; kNoPage where the page has Finish instead.
WizardPageIndex NextPage(WizardPageIndex page, WindowsFamily family,
                         int32_t modemFound);

// Where Back leads from `page`; kNoPage on the first page.
WizardPageIndex PreviousPage(WizardPageIndex page, WindowsFamily family);

}  // namespace velo
