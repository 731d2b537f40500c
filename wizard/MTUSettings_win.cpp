#include "wizard/MTUSettings.h"

#include "res/wizard/MTUSettings.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"
#include "wizard/Recommendations.h"

namespace velo {

namespace {

const StepTitle kTitle = {"31", "Step 2 of 6 : Specify MTU Settings", "22",
                          "Step 2 of 8 : Specify MTU Settings"};

}  // namespace

CMTUSettings::CMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_MTU_SETTINGS, kMtuPage) {
  UseNumberBoxes({{IDC_MTU_BOX, &SettingsRecord::NewMTU,
                   &SettingsRecord::RecommendedMTU, 1, kAnyLow, kAnyHigh},
                  {IDC_MSS_BOX, &SettingsRecord::NewMSS,
                   &SettingsRecord::RecommendedMSS, 1, kAnyLow, kAnyHigh}});
}

BOOL CMTUSettings::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_MTU_EXPLANATION, skin::kLabel},
            {IDC_MTU_RECOMMENDED, skin::kLabel},
            {IDC_MSS_EXPLANATION, skin::kLabel},
            {IDC_MSS_RECOMMENDED, skin::kLabel}});
  return TRUE;
}

BOOL CMTUSettings::OnSetActive() {
  Recommend();
  ShowTexts();
  UpdateData(false);
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CMTUSettings::Recommend() {
  SettingsRecord& record = Record();
  record.NewMTU = RecommendedMtu(record.ConnectionType);
  record.NewMSS = record.NewMTU - kMssBelowMtu;
  record.RecommendedMTU = record.NewMTU;
  record.RecommendedMSS = record.NewMSS;
  LoadBoxes();
}

void CMTUSettings::ShowTexts() {
  const SettingsRecord& record = Record();
  ShowStepTitle(kTitle);
  SetItemText(IDC_MTU_EXPLANATION,
              WithCurrentValue(
                  Localized(),
                  Text("IDC_static_step3_MTUExplain",
                       "MTU stands for Maximum Transmission Unit and in basic "
                       "terms, it defines the maximum size of a packet that "
                       "can be transferred in one frame over a network.**MTU"),
                  Found().MTUFound != 0, record.OriginalMTU, kBytes));
  SetItemText(IDC_MSS_EXPLANATION,
              WithCurrentValue(
                  Localized(),
                  Text("IDC_static_step3_MSSExplain",
                       "MSS or Maximum Segment Size defines how much actual "
                       "data can put in that packet, and it is therefore a "
                       "marginally smaller value than MTU to allow for packet "
                       "addressing and other information.**MSS"),
                  Found().MSSFound != 0, record.OriginalMSS, kBytes));
  SetItemText(IDC_MTU_RECOMMENDED,
              ReplaceNumber(Text("IDC_static_RecommendedMTU",
                                 "Recommended MTU size  :  %d bytes."),
                            record.RecommendedMTU));
  SetItemText(IDC_MSS_RECOMMENDED,
              ReplaceNumber(Text("IDC_static_RecommendedMSS",
                                 "Recommended MSS size  :  %d bytes."),
                            record.RecommendedMSS));
}

BOOL CMTUSettings::OnKillActive() {
  // A box that holds no number keeps its earlier value, after the standard
  // message.
  UpdateData(true);
  SettleBoxes();
  return CWizardPage::OnKillActive();
}

}  // namespace velo
