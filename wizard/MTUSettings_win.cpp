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
  Messages().OnCommand(IDC_MTU_BOX, EN_KILLFOCUS, [this] {
    SettleBoxOnLeaving(IDC_MTU_BOX, mtuBox_, {1, Record().RecommendedMTU});
  });
  Messages().OnCommand(IDC_MSS_BOX, EN_KILLFOCUS, [this] {
    SettleBoxOnLeaving(IDC_MSS_BOX, mssBox_, {1, Record().RecommendedMSS});
  });
}

void CMTUSettings::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_MTU_BOX, mtuBox_);
  exchange.Int(IDC_MSS_BOX, mssBox_);
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
  record.RecommendedMTU = mtuBox_ = record.NewMTU;
  record.RecommendedMSS = mssBox_ = record.NewMSS;
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
  SettingsRecord& record = Record();
  mssBox_ = AtLeastLowest(mssBox_, {1, record.RecommendedMSS});
  mtuBox_ = AtLeastLowest(mtuBox_, {1, record.RecommendedMTU});
  UpdateData(false);
  record.NewMTU = mtuBox_;
  record.NewMSS = mssBox_;
  return CWizardPage::OnKillActive();
}

}  // namespace velo
