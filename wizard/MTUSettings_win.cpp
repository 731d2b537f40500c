#include "wizard/MTUSettings.h"

#include "res/wizard/MTUSettings.h"
#include "tuning/Recommendations.h"

namespace velo {

namespace {

using R = SettingsRecord;
using F = FoundFlags;

const PageDescription kPage = {IDD_MTU_SETTINGS, kMtuPage,
    {TextId::MtuTitle9x, TextId::MtuTitleNT},
    {CurrentValue(IDC_MTU_EXPLANATION, TextId::MtuExplanation, &R::OriginalMTU,
                  &F::MTUFound, &kBytes),
     CurrentValue(IDC_MSS_EXPLANATION, TextId::MssExplanation, &R::OriginalMSS,
                  &F::MSSFound, &kBytes),
     Recommendation(IDC_MTU_RECOMMENDED, TextId::RecommendedMtu,
                    &R::RecommendedMTU),
     Recommendation(IDC_MSS_RECOMMENDED, TextId::RecommendedMss,
                    &R::RecommendedMSS)},
    {{IDC_MTU_BOX, &R::NewMTU, &R::RecommendedMTU, 1, kAnyLow, kAnyHigh},
     {IDC_MSS_BOX, &R::NewMSS, &R::RecommendedMSS, 1, kAnyLow, kAnyHigh}},
    {},
    {{IDC_MTU_EXPLANATION}, {IDC_MTU_RECOMMENDED}, {IDC_MSS_EXPLANATION},
     {IDC_MSS_RECOMMENDED}}};

}  // namespace

CMTUSettings::CMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {}

void CMTUSettings::Prepare() {
  SeedMtu(Record());
  LoadBoxes();
}

}  // namespace velo
