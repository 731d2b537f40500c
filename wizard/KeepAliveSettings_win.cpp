#include "wizard/KeepAliveSettings.h"

#include "res/wizard/KeepAliveSettings.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const StepTitle kTitle = {"35", "Step 6 of 6 : Keep Alive Settings", "26",
                          "Step 6 of 8 : Keep Alive Settings"};

}  // namespace

CKeepAliveSettings::CKeepAliveSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_KEEP_ALIVE_SETTINGS, kKeepAlivePage) {
  UseNumberBoxes({{IDC_KEEP_ALIVE_INTERVAL_BOX,
                   &SettingsRecord::NewKeepAliveInterval,
                   &SettingsRecord::RecommendedKeepAliveInterval, 1, kAnyLow,
                   kAnyHigh},
                  {IDC_KEEP_ALIVE_TIME_BOX, &SettingsRecord::NewKeepAliveTime,
                   &SettingsRecord::RecommendedKeepAliveTime, 1, kAnyLow,
                   kAnyHigh}});
}

BOOL CKeepAliveSettings::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_KEEP_ALIVE_TIME_EXPLANATION, skin::kLabel},
            {IDC_KEEP_ALIVE_TIME_RECOMMENDED, skin::kLabel},
            {IDC_KEEP_ALIVE_INTERVAL_EXPLANATION, skin::kLabel},
            {IDC_KEEP_ALIVE_INTERVAL_RECOMMENDED, skin::kLabel}});
  return TRUE;
}

BOOL CKeepAliveSettings::OnSetActive() {
  ShowTexts();
  UpdateData(false);
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CKeepAliveSettings::ShowTexts() {
  const SettingsRecord& record = Record();
  ShowStepTitle(kTitle);
  SetItemText(
      IDC_KEEP_ALIVE_TIME_EXPLANATION,
      WithCurrentValue(
          Localized(),
          Text("IDC_static_step7_KeepAliveTimeExplain",
               "Keep Alive Time is the number of milliseconds to wait before "
               "sending keep alive packets, which are used in order to tell "
               "the network that you are still online so that the connection "
               "won't be disconnected.**Keep Alive Time"),
          Found().KeepAliveTimeFound != 0, record.OriginalKeepAliveTime,
          kMilliseconds));
  SetItemText(
      IDC_KEEP_ALIVE_INTERVAL_EXPLANATION,
      WithCurrentValue(
          Localized(),
          Text("IDC_static_step7_KeepLAliveIntervalExplain",
               "Keep Alive Interval is the time in milliseconds between "
               "retransmissions of keepalives, once the Keep Alive Time has "
               "expired.**Keep Alive Interval"),
          Found().KeepAliveIntervalFound != 0,
          record.OriginalKeepAliveInterval, kMilliseconds));
  SetItemText(IDC_KEEP_ALIVE_TIME_RECOMMENDED,
              ReplaceNumber(
                  Text("IDC_static_RecommendedKeepAliveTime",
                       "Recommended Keep Alive Time  :  %d milliseconds."),
                  record.RecommendedKeepAliveTime));
  SetItemText(IDC_KEEP_ALIVE_INTERVAL_RECOMMENDED,
              ReplaceNumber(
                  Text("IDC_static_RecommendedKeepAliveInterval",
                       "Recommended Keep Alive Interval  :  %d milliseconds."),
                  record.RecommendedKeepAliveInterval));
}

void CKeepAliveSettings::Settle() {
  // A box that holds no number keeps its earlier value, after the standard
  // message.
  UpdateData(true);
  SettleBoxes();
}

BOOL CKeepAliveSettings::OnKillActive() {
  Settle();
  return CWizardPage::OnKillActive();
}

BOOL CKeepAliveSettings::OnWizardFinish() {
  Settle();
  return CWizardPage::OnWizardFinish();
}

}  // namespace velo
