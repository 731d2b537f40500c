#include "wizard/KeepAliveSettings.h"

#include "res/wizard/KeepAliveSettings.h"

namespace velo {

namespace {

using R = SettingsRecord;
using F = FoundFlags;

const PageDescription kPage = {IDD_KEEP_ALIVE_SETTINGS, kKeepAlivePage,
    {TextId::KeepAliveTitle9x, TextId::KeepAliveTitleNT},
    {CurrentValue(IDC_KEEP_ALIVE_TIME_EXPLANATION,
                  TextId::KeepAliveTimeExplanation, &R::OriginalKeepAliveTime,
                  &F::KeepAliveTimeFound, &kMilliseconds),
     CurrentValue(IDC_KEEP_ALIVE_INTERVAL_EXPLANATION,
                  TextId::KeepAliveIntervalExplanation,
                  &R::OriginalKeepAliveInterval, &F::KeepAliveIntervalFound,
                  &kMilliseconds),
     Recommendation(IDC_KEEP_ALIVE_TIME_RECOMMENDED,
                    TextId::RecommendedKeepAliveTime,
                    &R::RecommendedKeepAliveTime),
     Recommendation(IDC_KEEP_ALIVE_INTERVAL_RECOMMENDED,
                    TextId::RecommendedKeepAliveInterval,
                    &R::RecommendedKeepAliveInterval)},
    {{IDC_KEEP_ALIVE_INTERVAL_BOX, &R::NewKeepAliveInterval,
      &R::RecommendedKeepAliveInterval, 1, kAnyLow, kAnyHigh},
     {IDC_KEEP_ALIVE_TIME_BOX, &R::NewKeepAliveTime,
      &R::RecommendedKeepAliveTime, 1, kAnyLow, kAnyHigh}},
    {},
    {{IDC_KEEP_ALIVE_TIME_EXPLANATION}, {IDC_KEEP_ALIVE_TIME_RECOMMENDED},
     {IDC_KEEP_ALIVE_INTERVAL_EXPLANATION},
     {IDC_KEEP_ALIVE_INTERVAL_RECOMMENDED}}};

}  // namespace

CKeepAliveSettings::CKeepAliveSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {}

}  // namespace velo
