#include "wizard/RWINSetting.h"

#include "framework/IntegerText.h"
#include "framework/Window.h"
#include "res/wizard/RWINSetting.h"
#include "wizard/WizardRun.h"

namespace velo {

namespace {

const PageDescription kPage = {IDD_RWIN_SETTING, kReceiveWindowPage,
    {TextId::ReceiveWindowTitle9x, TextId::ReceiveWindowTitleNT},
    {CurrentValue(IDC_RWIN_EXPLANATION, TextId::ReceiveWindowExplanation,
                  &SettingsRecord::OriginalRWIN, &FoundFlags::RWINFound,
                  &kBytes),
     Recommendation(IDC_RWIN_RECOMMENDED, TextId::RecommendedReceiveWindow,
                    &SettingsRecord::RecommendedRWIN),
     Plain(IDC_RWIN_SCALING_LABEL, TextId::ScalingFactor),
     Plain(IDC_RWIN_MULTIPLIER_LABEL, TextId::Multiplier)},
    // The multiplier box is the page's own: the window follows it.
    {}, {},
    {{IDC_RWIN_EXPLANATION}, {IDC_RWIN_RECOMMENDED}, {IDC_RWIN_MSS_LABEL},
     {IDC_RWIN_MULTIPLIER_LABEL}, {IDC_RWIN_SCALING_LABEL},
     {IDC_RWIN_WINDOW_LABEL}, {IDC_RWIN_FIRST_TIMES}, {IDC_RWIN_SECOND_TIMES},
     {IDC_RWIN_EQUALS}}};

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
    : CWizardPage(sheet, kPage) {
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

void CRWINSetting::Prepare() {
  SettingsRecord& record = Record();
  default_ = DefaultReceiveWindow(record.ConnectionType, record.NewMSS,
                                  Limits().largestRecommendedReceiveWindow);
  record.NewRWIN = record.RecommendedRWIN = default_.window;
  PutBackDefault();
  SetItemText(IDC_RWIN_MSS_BOX,
              std::to_string(static_cast<uint32_t>(record.NewMSS)));
  SetItemText(IDC_RWIN_SCALING_BOX, std::to_string(kScalingFactor));
}

WindowProduct CRWINSetting::ProductOfMultiplier() const {
  return WindowProduct::Of(Record().NewMSS, multiplierBox_);
}

bool CRWINSetting::IsValid(const WindowProduct& window) const {
  return window.IsValidFor(Record().NewMSS, Limits().largestReceiveWindow);
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
  if (IsValid(windowBox_)) return;
  Run().alert(RangeMessage(Text(TextId::ReceiveWindowRange),
                           Limits().largestReceiveWindow));
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
  if (!IsValid(windowBox_)) PutBackDefault();
  UpdateData(false);
  Record().NewRWIN = windowBox_.Window();
  return CWizardPage::OnKillActive();
}

}  // namespace velo
