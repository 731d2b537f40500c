#include "wizard/ModemBoost.h"

#include "res/wizard/ModemBoost.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

// The same title in both families: the page has no step number.
const StepTitle kTitle = {"29", "Boost the Modem", "29", "Boost the Modem"};

}  // namespace

CModemBoost::CModemBoost(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_MODEM_BOOST, kModemBoostPage) {}

BOOL CModemBoost::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({});
  return TRUE;
}

BOOL CModemBoost::OnSetActive() {
  ShowStepTitle(kTitle);
  SetItemText(
      IDC_MODEM_DESCRIPTION,
      Text("IDC_DESCRIBTION",
           "You are equipped with an internal or external analog 56K modem?\n"
           "It is possible for you to boost the speed of the port on which it "
           "is connected.\n"
           "Originally, when you click on Control panel then "
           "Modem\\Properties, you see that the maximum speed of the COM port "
           "is limited to 115200 bps.\n"
           "\n"
           "Here we will add 3 additional port speeds (230400, 460800, 921600 "
           "bps).\n"
           "\n"
           "You need to test each speed manually to find the suitable speed "
           "based on your modem model."));
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

}  // namespace velo
