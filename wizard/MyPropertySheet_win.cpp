#include "wizard/MyPropertySheet.h"

#include <utility>

#include "framework/Window.h"
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

CMyPropertySheet::CMyPropertySheet(const WizardRun& run)
    : WizardSheet(IDS_WIZARD_CAPTION),
      run_(run),
      m_connectionType(*this),
      m_icmpRedirect(*this),
      m_synFlood(*this),
      m_keepAlive(*this),
      m_ttl(*this),
      m_rwin(*this),
      m_otherMtu(*this),
      m_mtu(*this),
      m_modemBoost(*this) {
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
  run_.resetHasWork(velo::LookForBackup(run_.registry) != velo::kBackupAbsent);
}

void CMyPropertySheet::SetButtonTexts() {
  const std::pair<TextId, int> buttons[] = {{TextId::BackButton, kWizardBack},
                                            {TextId::NextButton, kWizardNext},
                                            {TextId::CancelButton, IDCANCEL}};
  for (const auto& button : buttons)
    if (HWND control = GetDlgItem(Hwnd(), button.second))
      SetWindowTextString(control, run_.texts.Load(button.first));
}

void CMyPropertySheet::BackupSettings() {
  backupTaken_ =
      velo::BackupSettings(run_.registry, Family(), record, found, Limits())
          .Succeeded();
  // The note only tells other accounts where the backup is; the backup
  // itself is whole without it.
  if (backupTaken_) NoteBackupHolder(run_.registry, run_.holderNow());
}

void CMyPropertySheet::SeedDefaults() {
  velo::SeedDefaults(Family(), Limits(), record);
}

void CMyPropertySheet::SkinSheet() {
  SkinComponent* skin = run_.skin;
  if (!skin) return;
  skin->SkinElement(HandleToLong(Hwnd()), skin::kSmallPages);
  for (int button :
       {kWizardNext, IDCANCEL, kWizardHelp, kWizardFinish, kWizardBack})
    skin->SkinElement(HandleToLong(GetDlgItem(Hwnd(), button)),
                      skin::kSmallButton);
}

void CMyPropertySheet::ApplySettings() {
  // Without a whole backup nothing is written: Reset could not undo it.
  std::string message = run_.texts.Load(TextId::NoBackupNoChange);
  if (backupTaken_) {
    const ApplyOutcome outcome = velo::ApplySettings(
        run_.registry, Family(), record, run_.modemFound, Limits());
    message = outcome.Succeeded() ? BoostedMessage(run_.texts, outcome)
                                  : run_.texts.Load(TextId::NotFullyBoosted);
  }
  run_.alert(message);
}

}  // namespace velo
