#include "wizard/MTUSettings.h"

#include "framework/Window.h"
#include "res/wizard/MTUSettings.h"
#include "tuning/ProbeHost.h"
#include "tuning/Recommendations.h"
#include "wizard/MtuFinderStatus.h"
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

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

CMTUSettings::CMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {
  Messages().OnCommand(IDC_FIND_MTU, BN_CLICKED, [this] { OnFindMtu(); });
  Messages().OnMessage(BackgroundMtuSearch::kTrying,
                       [this](WPARAM size, LPARAM number, LRESULT* result) {
                         if (search_.Posted(number))
                           SetItemText(IDC_MTU_SEARCH_STATUS,
                                       MtuSearchProgress(Localized(),
                                                         static_cast<int32_t>(size)));
                         *result = 0;
                         return true;
                       });
  Messages().OnMessage(BackgroundMtuSearch::kEnded,
                       [this](WPARAM, LPARAM number, LRESULT* result) {
                         if (search_.Posted(number))
                           OnSearchEnded(search_.Result());
                         *result = 0;
                         return true;
                       });
}

BOOL CMTUSettings::OnInitDialog() {
  const BOOL result = CWizardPage::OnInitDialog();
  if (Run().prober.CanPing()) {
    // The router of the user's own network is no host beyond the line: the
    // box is left for one that is.
    const ProbeHost probe = DefaultProbeHost(Run().registry, Family(),
                                             Record().ConnectionType);
    if (probe.onOwnNetwork)
      idleStatus_ = MtuSearchOutcome(Localized(), probe.host,
                                     {kMtuOwnNetwork, 0, 0});
    else
      SetItemText(IDC_MTU_HOST, probe.host);
  } else {
    for (int control : {IDC_FIND_MTU, IDC_MTU_HOST, IDC_MTU_SEARCH_STATUS})
      ShowWindow(Item(control), SW_HIDE);
  }
  return result;
}

void CMTUSettings::Prepare() {
  SeedMtu(Record());
  LoadBoxes();
  SetItemText(IDC_MTU_SEARCH_STATUS, idleStatus_);
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
  if (search_.Running()) StopSearch();
  return CWizardPage::OnKillActive();
}

void CMTUSettings::OnFindMtu() {
  if (search_.Running()) return StopSearch();
  host_ = Trimmed(WindowText(Item(IDC_MTU_HOST)));
  if (host_.empty()) return ShowOutcome({kMtuHostUnknown, 0, 0});
  if (!search_.Start(Hwnd(), host_, Run().prober))
    return ShowOutcome({kMtuNoThread, 0, 0});
  ShowSearching(true);
}

void CMTUSettings::OnSearchEnded(const MtuSearchResult& result) {
  search_.Stop();
  ShowSearching(false);
  if (result.end == kMtuFound) {
    SetItemText(IDC_MTU_BOX, std::to_string(result.mtu));
    SetItemText(IDC_MSS_BOX, std::to_string(result.mtu - kMssBelowMtu));
  }
  ShowOutcome(result);
}

void CMTUSettings::StopSearch() {
  search_.Stop();
  ShowSearching(false);
  ShowOutcome({kMtuCancelled, 0, 0});
}

void CMTUSettings::ShowOutcome(const MtuSearchResult& result) {
  SetItemText(IDC_MTU_SEARCH_STATUS,
              MtuSearchOutcome(Localized(), host_, result));
}

void CMTUSettings::ShowSearching(bool searching) {
  SetItemText(IDC_FIND_MTU, Text(searching ? TextId::FindMtuStop
                                           : TextId::FindMtuButton));
  EnableWindow(Item(IDC_MTU_HOST), !searching);
}

}  // namespace velo
