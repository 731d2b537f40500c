#include "wizard/MyPropertySheet.h"

#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "res/resource.h"
#include "skin/SkinComponent.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupKey.h"
#include "wizard/Recommendations.h"

namespace velo {

CMyPropertySheet::CMyPropertySheet()
    : WizardSheet(IDS_WIZARD_CAPTION),
      m_connectionType(*this),
      m_icmpRedirect(*this),
      m_synFlood(*this),
      m_keepAlive(*this),
      m_ttl(*this),
      m_rwin(*this),
      m_otherMtu(*this),
      m_mtu(*this),
      m_modemBoost(*this),
      family_(static_cast<WindowsFamily>(App().m_nWindowsFamily)) {
  for (CWizardPage* page : ordered_) AddPage(*page);
  // F1 shows nothing.
  Messages().OnMessage(WM_HELP, [](WPARAM, LPARAM, LRESULT* result) {
    *result = FALSE;
    return true;
  });
}

void CMyPropertySheet::TakePage(CWizardPage& page, WizardPageIndex index) {
  ordered_[index] = &page;
}

void CMyPropertySheet::OnInitDialog() {
  SetButtonTexts();
  BackupSettings();
  SeedDefaults();
  SkinSheet();
}

void CMyPropertySheet::OnDestroy() {
  // Finish or Cancel: Reset follows the backup key, which a backup that
  // could not be taken whole never replaced.
  if (App().m_pMainDlg)
    App().m_pMainDlg->EnableReset(velo::BackupExists(App().registry()));
}

void CMyPropertySheet::SetButtonTexts() {
  const CTunerApp& app = App();
  app.SetControlText("ID_WIZBACK", kWizardBack, "< &Back", Hwnd());
  app.SetControlText("ID_WIZNEXT", kWizardNext, "&Next >", Hwnd());
  app.SetControlText("IDCANCEL", IDCANCEL, "Cancel", Hwnd());
}

void CMyPropertySheet::BackupSettings() {
  backupTaken_ =
      velo::BackupSettings(App().registry(), family_, record, found).Succeeded();
}

void CMyPropertySheet::SeedDefaults() {
  velo::SeedDefaults(family_, record);
}

void CMyPropertySheet::SkinSheet() {
  SkinComponent* skin = App().MainSkin();
  if (!skin) return;
  skin->SkinElement(HandleToLong(Hwnd()), skin::kSmallPages);
  for (int button :
       {kWizardNext, IDCANCEL, kWizardHelp, kWizardFinish, kWizardBack})
    skin->SkinElement(HandleToLong(GetDlgItem(Hwnd(), button)),
                      skin::kSmallButton);
}

void CMyPropertySheet::ApplySettings() {
  CTunerApp& app = App();
  if (!backupTaken_) {
    app.Alert(app.LoadText(
                  "45",
                  "Velocine could not save a backup of your connection "
                  "settings, so it has not changed them.\nPlease, run "
                  "Velocine as an administrator and try again."),
              true);
    return;
  }
  if (velo::ApplySettings(app.registry(), family_, record, app.ModemFound)
          .Succeeded()) {
    app.Alert(app.LoadText("41",
                           "Congratulation, Velocine has boosted your internet "
                           "connections.\nPlease, restart your computer in "
                           "order to feel the change."),
              true);
  } else {
    app.Alert(app.LoadText(
                  "44",
                  "Velocine could not write all of your connection settings, "
                  "so your connection has not been fully boosted.\nPlease, "
                  "run Velocine as an administrator and try again."),
              true);
  }
}

}  // namespace velo
