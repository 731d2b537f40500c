#include "wizard/MTUSettings.h"

#include "framework/Window.h"
#include "res/wizard/MTUSettings.h"
#include "tuning/ProbeHost.h"
#include "tuning/Recommendations.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

using R = SettingsRecord;
using F = FoundFlags;

const PageDescription kPage = {IDD_MTU_SETTINGS, kMtuPage,
    {TextId::MtuTitle9x, TextId::MtuTitleNT},
    // What the chosen connection went out with is added on activation.
    {Plain(IDC_MTU_EXPLANATION, TextId::MtuExplanation),
     CurrentValue(IDC_MSS_EXPLANATION, TextId::MssExplanation, &R::OriginalMSS,
                  &F::MSSFound, &kBytes),
     Recommendation(IDC_MTU_RECOMMENDED, TextId::RecommendedMtu,
                    &R::RecommendedMTU),
     Recommendation(IDC_MSS_RECOMMENDED, TextId::RecommendedMss,
                    &R::RecommendedMSS),
     Plain(IDC_FIND_MTU, TextId::FindMtuButton)},
    {{IDC_MTU_BOX, &R::NewMTU, &R::RecommendedMTU, 1, kMinimumMtu, kMaximumMtu},
     {IDC_MSS_BOX, &R::NewMSS, &R::RecommendedMSS, 1, kAnyLow, kAnyHigh}},
    {},
    {{IDC_MTU_EXPLANATION}, {IDC_MTU_RECOMMENDED}, {IDC_MSS_EXPLANATION},
     {IDC_MSS_RECOMMENDED}}};

}  // namespace

CMTUSettings::CMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage), finder_(Localized(), *this, sheet.roundTrip) {
  Messages().OnCommand(IDC_FIND_MTU, BN_CLICKED, [this] { finder_.Press(); });
  search_.Listen(Messages(), [this](int32_t size) { finder_.Trying(size); },
                 [this](const MtuSearchResult& end) { finder_.Ended(end); });
}

BOOL CMTUSettings::OnInitDialog() {
  const BOOL result = CWizardPage::OnInitDialog();
  if (Run().prober.CanPing()) {
    finder_.Offer(DefaultProbeHost(Run().registry, Family(),
                                   Record().ConnectionType));
  } else {
    for (int control : {IDC_FIND_MTU, IDC_MTU_HOST, IDC_MTU_SEARCH_STATUS})
      ShowWindow(Item(control), SW_HIDE);
  }
  return result;
}

void CMTUSettings::Prepare() {
  SeedMtu(Record(), finder_.FoundMtu());
  LoadBoxes();
  finder_.ShowIdle();
}

BOOL CMTUSettings::OnSetActive() {
  const BOOL result = CWizardPage::OnSetActive();
  const int32_t connection = Record().ConnectionType;
  SetItemText(IDC_MTU_EXPLANATION,
              WithConnectionMtu(Localized(), Text(TextId::MtuExplanation),
                                Sheet().found.MTUOfConnection[connection],
                                Record().OriginalMTUOfConnection[connection]));
  // The NT family's TCP takes its MSS from the MTU: Finish writes none.
  if (Family() == kFamilyNT)
    SetItemText(IDC_MSS_EXPLANATION,
                FillPattern(Text(TextId::MssNotReadSentence),
                            Text(TextId::MssExplanation)));
  return result;
}

BOOL CMTUSettings::OnKillActive() {
  finder_.Leave();
  return CWizardPage::OnKillActive();
}

std::string CMTUSettings::TypedHost() const {
  return WindowText(Item(IDC_MTU_HOST));
}

void CMTUSettings::ShowHost(const std::string& host) {
  SetItemText(IDC_MTU_HOST, host);
}

void CMTUSettings::ShowStatus(const std::string& text) {
  SetItemText(IDC_MTU_SEARCH_STATUS, text);
}

void CMTUSettings::ShowSearching(bool searching) {
  SetItemText(IDC_FIND_MTU, Text(searching ? TextId::FindMtuStop
                                           : TextId::FindMtuButton));
  EnableWindow(Item(IDC_MTU_HOST), !searching);
}

void CMTUSettings::ShowInBoxes(int32_t mtu, int32_t mss) {
  SetItemText(IDC_MTU_BOX, std::to_string(mtu));
  SetItemText(IDC_MSS_BOX, std::to_string(mss));
}

bool CMTUSettings::StartSearch(const std::string& host) {
  return search_.Start(Hwnd(), host, Run().prober);
}

void CMTUSettings::StopSearch() { search_.Stop(); }

}  // namespace velo
