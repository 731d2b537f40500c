#include "wizard/RWINSetting.h"

#include "app/TunerApp.h"
#include "framework/IntegerText.h"
#include "framework/Window.h"
#include "res/wizard/RWINSetting.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const StepTitle kTitle = {"33", "Step 4 of 6 : RWIN Setting", "24",
                          "Step 4 of 8 : RWIN Setting"};

// The multiplier as the box holds it while the user types: 0 for an empty
// box, for text that is not a number and for a number beyond 32 bits.
int32_t TypedMultiplier(const std::string& text) {
  int64_t number = 0;
  if (!ParseWholeNumber(text, &number) || number < INT32_MIN ||
      number > INT32_MAX)
    return 0;
  return static_cast<int32_t>(number);
}

}  // namespace

CRWINSetting::CRWINSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_RWIN_SETTING, kReceiveWindowPage) {
  Messages().OnCommand(IDC_RWIN_MULTIPLIER_BOX, EN_CHANGE,
                       [this] { OnMultiplierTyped(); });
  Messages().OnCommand(IDC_RWIN_MULTIPLIER_BOX, EN_KILLFOCUS,
                       [this] { OnMultiplierLeft(); });
}

void CRWINSetting::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_RWIN_MULTIPLIER_BOX, multiplierBox_);
  // The window box is read-only: the page's own number is what it shows.
  if (!exchange.Saving()) ShowWindowBox();
}

void CRWINSetting::ShowWindowBox() {
  SetItemText(IDC_RWIN_WINDOW_BOX, windowBox_.ToString());
  SetItemText(IDC_RWIN_EQUALS,
              EquationSign(Record().NewMSS, multiplierBox_, windowBox_));
}

BOOL CRWINSetting::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_RWIN_EXPLANATION, skin::kLabel},
            {IDC_RWIN_RECOMMENDED, skin::kLabel},
            {IDC_RWIN_MSS_LABEL, skin::kLabel},
            {IDC_RWIN_MULTIPLIER_LABEL, skin::kLabel},
            {IDC_RWIN_SCALING_LABEL, skin::kLabel},
            {IDC_RWIN_WINDOW_LABEL, skin::kLabel},
            {IDC_RWIN_FIRST_TIMES, skin::kLabel},
            {IDC_RWIN_SECOND_TIMES, skin::kLabel},
            {IDC_RWIN_EQUALS, skin::kLabel}});
  return TRUE;
}

BOOL CRWINSetting::OnSetActive() {
  Propose();
  ShowTexts();
  UpdateData(false);
  SetItemText(IDC_RWIN_MSS_BOX,
              std::to_string(static_cast<uint32_t>(Record().NewMSS)));
  SetItemText(IDC_RWIN_SCALING_BOX, std::to_string(kScalingFactor));
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CRWINSetting::Propose() {
  SettingsRecord& record = Record();
  default_ = DefaultReceiveWindow(record.ConnectionType, record.NewMSS);
  record.NewRWIN = record.RecommendedRWIN = default_.window;
  multiplierBox_ = default_.multiplier;
  windowBox_ = WindowProduct::Valid(default_.window);
}

void CRWINSetting::ShowTexts() {
  const SettingsRecord& record = Record();
  ShowStepTitle(kTitle);
  SetItemText(
      IDC_RWIN_EXPLANATION,
      WithCurrentValue(
          Localized(),
          Text("IDC_static_step5_Explain",
               "RWIN (Receive WINdow) is the TCP Receive Window size is the "
               "amount of receive data (in bytes) that can be buffered at one "
               "time on a connection.*The sending host can send only that "
               "amount of data before waiting for an acknowledgment.**In "
               "general, larger receive windows will improve performance over "
               "high (delay , bandwidth) networks.**For highest efficiency, "
               "the receive window should be an even multiple of the TCP "
               "Maximum Segment Size (MSS).**RWIN"),
          Found().RWINFound != 0, record.OriginalRWIN, kBytes));
  SetItemText(IDC_RWIN_RECOMMENDED,
              ReplaceNumber(Text("IDC_static_RecommendedRWIN",
                                 "Recommended RWIN size  :  %d bytes."),
                            record.RecommendedRWIN));
  SetItemText(IDC_RWIN_SCALING_LABEL,
              Text("IDC_STATIC_SCALING_FACTOR", "Scaling Factor"));
  SetItemText(IDC_RWIN_MULTIPLIER_LABEL,
              Text("IDC_STATIC_MULTIPLIER", "Multiplier"));
}

WindowProduct CRWINSetting::ProductOfMultiplier() const {
  return WindowProduct::Of(Record().NewMSS, multiplierBox_);
}

void CRWINSetting::OnMultiplierTyped() {
  const std::string typed = WindowText(Item(IDC_RWIN_MULTIPLIER_BOX));
  multiplierBox_ = TypedMultiplier(typed);
  if (multiplierBox_ == 0) return;
  windowBox_ = ProductOfMultiplier();
  if (typed == std::to_string(multiplierBox_)) {
    // Rewriting the same text would put the caret back at the start.
    ShowWindowBox();
    return;
  }
  // Leading zeros: the box shows the plain number, the caret after it.
  UpdateData(false);
  const WPARAM end = std::to_string(multiplierBox_).size();
  SendMessageA(Item(IDC_RWIN_MULTIPLIER_BOX), EM_SETSEL, end, end);
}

void CRWINSetting::OnMultiplierLeft() {
  windowBox_ = ProductOfMultiplier();
  if (windowBox_.IsValidFor(Record().NewMSS)) return;
  App().Alert(Text("9", "Valid range of RWIN is from MSS to 1073741823."),
              true);
  PutBackDefault();
  UpdateData(false);
}

void CRWINSetting::PutBackDefault() {
  multiplierBox_ = default_.multiplier;
  windowBox_ = WindowProduct::Valid(default_.window);
}

BOOL CRWINSetting::OnKillActive() {
  // A multiplier that is not a number keeps its earlier value, after the
  // standard message.
  UpdateData(true);
  windowBox_ = ProductOfMultiplier();
  if (!windowBox_.IsValidFor(Record().NewMSS)) PutBackDefault();
  UpdateData(false);
  Record().NewRWIN = windowBox_.Window();
  return CWizardPage::OnKillActive();
}

}  // namespace velo
