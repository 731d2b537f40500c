#include "app/AlertDlg.h"

#include "app/TunerApp.h"
#include "framework/Window.h"
#include "res/resource.h"
#include "skin/SkinComponent.h"

namespace velo {

CAlertDlg::CAlertDlg() : Dialog(IDD_ALERT) {
  // Yes ends the dialog as OK does.
  Messages().OnCommand(IDC_ALERT_YES, BN_CLICKED, [this] { OnOK(); });
}

BOOL CAlertDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  if (SkinComponent* skin = App().MainSkin()) {
    skin->SkinElement(HandleToLong(Hwnd()), skin::kMessage);
    skin->SkinElement(HandleToLong(Item(IDC_ALERT_TEXT)), skin::kLabel);
    for (int button : {IDOK, IDC_ALERT_YES, IDCANCEL})
      skin->SkinElement(HandleToLong(Item(button)), skin::kSmallButton);
  }
  if (m_bOkOnly) {
    ShowWindow(Item(IDC_ALERT_YES), SW_HIDE);
    ShowWindow(Item(IDCANCEL), SW_HIDE);
  } else {
    ShowWindow(Item(IDOK), SW_HIDE);
  }
  App().SetControlText(TextId::YesButton, IDC_ALERT_YES, Hwnd());
  App().SetControlText(TextId::OkButton, IDOK, Hwnd());
  App().SetControlText(TextId::NoButton, IDCANCEL, Hwnd());
  SetWindowTextString(Hwnd(), m_strTitle);
  SetWindowTextString(Item(IDC_ALERT_TEXT), m_strText);
  return TRUE;
}

}  // namespace velo
