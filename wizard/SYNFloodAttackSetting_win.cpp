#include "wizard/SYNFloodAttackSetting.h"

#include "res/wizard/SYNFloodAttackSetting.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

// The page belongs to the eight-step wizard only.
const StepTitle kTitle = {"27", "Step 7 of 8 : SYN Flood Attack Setting", "27",
                          "Step 7 of 8 : SYN Flood Attack Setting"};

const int32_t kTypicalProtection = 0;
const int32_t kBestProtection = 2;

}  // namespace

CSYNFloodAttackSetting::CSYNFloodAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_SYN_FLOOD_ATTACK_SETTING, kSynFloodPage) {
  // Every value outside the levels keeps the user here.
  UseNumberBoxes({{IDC_SYN_LEVEL_BOX, &SettingsRecord::NewSYNAttackProtect,
                   &SettingsRecord::RecommendedSYNAttackProtect, kNoFallBack,
                   kTypicalProtection, kBestProtection}});
}

BOOL CSYNFloodAttackSetting::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_SYN_EXPLANATION, skin::kLabel},
            {IDC_SYN_LEVELS, skin::kLabel},
            {IDC_SYN_QUESTION, skin::kLabel}});
  return TRUE;
}

BOOL CSYNFloodAttackSetting::OnSetActive() {
  ShowTexts();
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CSYNFloodAttackSetting::ShowTexts() {
  ShowStepTitle(kTitle);
  SetLocalizedText("IDC_static_step8_SYNExplain", IDC_SYN_EXPLANATION,
                   "Windows includes protection that allows it to detect and "
                   "adjust when the system is being targeted with a SYN flood "
                   "attack (a type of denial of service attack). When enabled "
                   "the connection responses time out more quickly in the "
                   "event of an attack.");
  SetItemText(IDC_SYN_LEVELS, WithCurrentOption(Localized(), Text(
      "IDC_static_RecommendedSYN",
      "0 - (default) - typical protection against SYN attacks.*1 - better "
      "protection against SYN attacks.*2 - (recommended) - best protection "
      "against SYN attacks.**This value adds additional delays to connection "
      "indications, and TCP connection requests quickly timesout when a SYN "
      "attack is in progress.**This value"),
      Found().SYNAttackProtectFound != 0, Record().OriginalSYNAttackProtect));
  SetLocalizedText("IDC_STATIC_SYN", IDC_SYN_QUESTION,
                   "What will be your decision?");
}

BOOL CSYNFloodAttackSetting::OnKillActive() {
  if (!UpdateData(true)) return FALSE;
  StoreBoxes();
  return CWizardPage::OnKillActive();
}

}  // namespace velo
