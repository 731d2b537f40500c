#include "wizard/ChooseConnectionType.h"

#include "app/TunerApp.h"
#include "res/wizard/ChooseConnectionType.h"
#include "skin/SkinComponent.h"
#include "store/ModemPortSpeed.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const StepTitle kTitle = {"30", "Step 1 of 6 : Choose Connection Type", "21",
                          "Step 1 of 8 : Choose Connection Type"};

// The radios in the order they are asked whether they are checked; the
// numbering of the types does not follow their order on the page.
const struct {
  int radio;
  ConnectionKind type;
} kRadios[] = {
    {IDC_CONNECTION_CABLE_MODEM, kCableModem},
    {IDC_CONNECTION_DIAL_UP, kDialUp},
    {IDC_CONNECTION_DSL, kDsl},
    {IDC_CONNECTION_LAN, kLan},
};

}  // namespace

CChooseConnectionType::CChooseConnectionType(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_CHOOSE_CONNECTION_TYPE, kConnectionTypePage) {}

BOOL CChooseConnectionType::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_CONNECTION_QUESTION, skin::kLabel},
            {IDC_CONNECTION_DIAL_UP, skin::kRadioButton},
            {IDC_CONNECTION_CABLE_MODEM, skin::kRadioButton},
            {IDC_CONNECTION_DSL, skin::kRadioButton},
            {IDC_CONNECTION_LAN, skin::kRadioButton}});
  CheckDlgButton(Hwnd(), IDC_CONNECTION_DIAL_UP, BST_CHECKED);
  return TRUE;
}

BOOL CChooseConnectionType::OnSetActive() {
  ShowTexts();
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CChooseConnectionType::ShowTexts() {
  ShowStepTitle(kTitle);
  SetLocalizedText("IDC_step2_RADIO_DialUp", IDC_CONNECTION_DIAL_UP,
                   "Dial Up Connection (&Modem).");
  SetLocalizedText("IDC_step2_RADIO_CableModem", IDC_CONNECTION_CABLE_MODEM,
                   "&Cable Modem.");
  SetLocalizedText("IDC_step2_RADIO_DSL", IDC_CONNECTION_DSL,
                   "&Digital Subscriber Line (DSL).");
  SetLocalizedText("IDC_step2_RADIO_LAN", IDC_CONNECTION_LAN,
                   "&LAN Connection (Ethernet).");
  SetLocalizedText("IDC_static_step2_Explain", IDC_CONNECTION_QUESTION,
                   "How do you connect to the internet?");
}

int32_t CChooseConnectionType::CheckedType() const {
  for (const auto& radio : kRadios)
    if (IsChecked(radio.radio)) return radio.type;
  // One radio is always checked; keep the earlier answer otherwise.
  return Record().ConnectionType;
}

BOOL CChooseConnectionType::OnKillActive() {
  Record().ConnectionType = CheckedType();
  if (Record().ConnectionType == kDialUp) {
    // Only ever sets the flag: once a modem was found it stays found.
    DetectBoostableModem(App().registry(), Family(), App().ModemFound);
  }
  return CWizardPage::OnKillActive();
}

}  // namespace velo
