#include "wizard/RWINSetting.h"

#include "framework/Window.h"
#include "res/wizard/RWINSetting.h"
#include "wizard/MtuFinderStatus.h"
#include "wizard/MyPropertySheet.h"

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
     Plain(IDC_RWIN_MULTIPLIER_LABEL, TextId::Multiplier),
     Plain(IDC_RWIN_SPEED_LABEL, TextId::LineSpeed)},
    // The multiplier box is the page's own: the window follows it.
    {}, {},
    {{IDC_RWIN_EXPLANATION}, {IDC_RWIN_RECOMMENDED}, {IDC_RWIN_MSS_LABEL},
     {IDC_RWIN_MULTIPLIER_LABEL}, {IDC_RWIN_SCALING_LABEL},
     {IDC_RWIN_WINDOW_LABEL}, {IDC_RWIN_FIRST_TIMES}, {IDC_RWIN_SECOND_TIMES},
     {IDC_RWIN_EQUALS}, {IDC_RWIN_SPEED_LABEL}, {IDC_RWIN_ROUND_TRIP}}};

}  // namespace

CRWINSetting::CRWINSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {
  Messages().OnCommand(IDC_RWIN_MULTIPLIER_BOX, EN_CHANGE,
                       [this] { OnMultiplierTyped(); });
  Messages().OnCommand(IDC_RWIN_MULTIPLIER_BOX, EN_KILLFOCUS,
                       [this] { OnMultiplierLeft(); });
  Messages().OnCommand(IDC_RWIN_SPEED_BOX, EN_CHANGE, [this] {
    if (step_.SpeedTyped(WindowText(Item(IDC_RWIN_SPEED_BOX)))) ShowProposal();
  });
  Messages().OnCommand(IDC_RWIN_SPEED_BOX, EN_KILLFOCUS,
                       [this] { OnSpeedLeft(); });
}

void CRWINSetting::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_RWIN_MULTIPLIER_BOX, step_.Multiplier());
  // The window box is read-only: the page's own number is what it shows.
  if (!exchange.Saving()) ShowWindowBox();
}

void CRWINSetting::ShowWindowBox() {
  SetItemText(IDC_RWIN_WINDOW_BOX, step_.WindowBox().ToString());
  SetItemText(IDC_RWIN_EQUALS, EquationSign(step_.Mss(), step_.Multiplier(),
                                            step_.WindowBox()));
}

void CRWINSetting::Prepare() {
  SettingsRecord& record = Record();
  step_.Prepare(record.ConnectionType, record.NewMSS, Limits(),
                Sheet().roundTrip);
  record.NewRWIN = record.RecommendedRWIN = step_.Proposed().window;
  SetItemText(IDC_RWIN_MSS_BOX,
              std::to_string(static_cast<uint32_t>(record.NewMSS)));
  SetItemText(IDC_RWIN_SCALING_BOX, std::to_string(kScalingFactor));
  ShowLine();
}

void CRWINSetting::ShowLine() {
  for (int control :
       {IDC_RWIN_SPEED_LABEL, IDC_RWIN_SPEED_BOX, IDC_RWIN_ROUND_TRIP})
    ShowWindow(Item(control), step_.HasLine() ? SW_SHOW : SW_HIDE);
  if (!step_.HasLine()) return;
  SetItemText(IDC_RWIN_ROUND_TRIP, RoundTripMeasured(Localized(), step_.Trip()));
  SetItemText(IDC_RWIN_SPEED_BOX, std::to_string(step_.Speed()));
}

void CRWINSetting::ShowProposal() {
  Record().NewRWIN = Record().RecommendedRWIN = step_.Proposed().window;
  SetItemText(IDC_RWIN_RECOMMENDED,
              ComposeText(Localized(), kPage.texts[1], Record(), Sheet().found));
  UpdateData(false);
}

void CRWINSetting::OnMultiplierTyped() {
  const std::string typed = WindowText(Item(IDC_RWIN_MULTIPLIER_BOX));
  if (!step_.MultiplierTyped(typed)) return;
  const std::string plain = std::to_string(step_.Multiplier());
  // Rewriting the same text would put the caret back at the start.
  if (typed == plain) return ShowWindowBox();
  // Leading zeros: the box shows the plain number, the caret after it.
  UpdateData(false);
  SendMessageA(Item(IDC_RWIN_MULTIPLIER_BOX), EM_SETSEL, plain.size(),
               plain.size());
}

void CRWINSetting::OnMultiplierLeft() {
  if (step_.MultiplierLeft()) return;
  Run().alert(RangeMessage(Text(TextId::ReceiveWindowRange),
                           Limits().largestReceiveWindow));
  UpdateData(false);
}

void CRWINSetting::OnSpeedLeft() {
  if (step_.SpeedLeft(WindowText(Item(IDC_RWIN_SPEED_BOX)))) return;
  Run().alert(Text(TextId::LineSpeedRange));
  ShowLine();
  ShowProposal();
}

BOOL CRWINSetting::OnKillActive() {
  // A multiplier that is not a number keeps its earlier value, after the
  // standard message.
  UpdateData(true);
  Record().NewRWIN = step_.Leave();
  UpdateData(false);
  return CWizardPage::OnKillActive();
}

}  // namespace velo
