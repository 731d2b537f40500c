#include "wizard/ChooseConnectionType.h"

#include "res/wizard/ChooseConnectionType.h"
#include "store/ModemPortSpeed.h"
#include "wizard/WizardRun.h"

namespace velo {

namespace {

const PageDescription kPage = {IDD_CHOOSE_CONNECTION_TYPE, kConnectionTypePage,
    {TextId::ConnectionTypeTitle9x, TextId::ConnectionTypeTitleNT},
    {Plain(IDC_CONNECTION_DIAL_UP, TextId::DialUp),
     Plain(IDC_CONNECTION_CABLE_MODEM, TextId::CableModem),
     Plain(IDC_CONNECTION_DSL, TextId::Dsl),
     Plain(IDC_CONNECTION_LAN, TextId::Lan),
     Plain(IDC_CONNECTION_QUESTION, TextId::ConnectionQuestion)},
    {}, {},
    {{IDC_CONNECTION_QUESTION}, {IDC_CONNECTION_DIAL_UP, skin::kRadioButton},
     {IDC_CONNECTION_CABLE_MODEM, skin::kRadioButton},
     {IDC_CONNECTION_DSL, skin::kRadioButton},
     {IDC_CONNECTION_LAN, skin::kRadioButton}}};

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
    : CWizardPage(sheet, kPage) {}

BOOL CChooseConnectionType::OnInitDialog() {
  CWizardPage::OnInitDialog();
  CheckDlgButton(Hwnd(), IDC_CONNECTION_DIAL_UP, BST_CHECKED);
  return TRUE;
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
    DetectBoostableModem(Run().registry, Family(), Run().modemFound);
  }
  return CWizardPage::OnKillActive();
}

}  // namespace velo
