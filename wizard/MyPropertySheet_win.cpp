#include "wizard/MyPropertySheet.h"

#include "app/ThisAccount.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "res/resource.h"
#include "skin/SkinComponent.h"
#include "store/Apply.h"
#include "store/Backup.h"
#include "store/RegistryLocations.h"
#include "store/BackupHolder.h"
#include "store/BackupKey.h"
#include "tuning/ClosingMessage.h"
#include "tuning/Recommendations.h"

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
      family_(static_cast<WindowsFamily>(App().m_nWindowsFamily)),
      limits_(App().m_limits) {
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
    App().m_pMainDlg->EnableReset(velo::LookForBackup(App().registry()) !=
                                   velo::kBackupAbsent);
}

void CMyPropertySheet::SetButtonTexts() {
  const CTunerApp& app = App();
  app.SetControlText(TextId::BackButton, kWizardBack, Hwnd());
  app.SetControlText(TextId::NextButton, kWizardNext, Hwnd());
  app.SetControlText(TextId::CancelButton, IDCANCEL, Hwnd());
}

void CMyPropertySheet::BackupSettings() {
  backupTaken_ =
      velo::BackupSettings(App().registry(), family_, record, found, limits_)
          .Succeeded();
  // The note only tells other accounts where the backup is; the backup
  // itself is whole without it.
  if (backupTaken_) NoteBackupHolder(App().registry(), ThisAccountNow());
}

void CMyPropertySheet::SeedDefaults() {
  velo::SeedDefaults(family_, limits_, record);
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
  // Without a whole backup nothing is written: Reset could not undo it.
  std::string message = app.LoadText(TextId::NoBackupNoChange);
  if (backupTaken_) {
    const ApplyOutcome outcome =
        velo::ApplySettings(app.registry(), family_, record, app.ModemFound,
                            limits_);
    message = outcome.Succeeded() ? BoostedMessage(app.Localized(), outcome)
                                  : app.LoadText(TextId::NotFullyBoosted);
  }
  app.Alert(message, true);
}

}  // namespace velo
