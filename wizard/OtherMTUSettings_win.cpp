#include "wizard/OtherMTUSettings.h"

#include "res/wizard/OtherMTUSettings.h"

namespace velo {

namespace {

using R = SettingsRecord;
using F = FoundFlags;

const PageDescription kPage = {IDD_OTHER_MTU_SETTINGS, kPathMtuPage,
    {TextId::PathMtuTitle9x, TextId::PathMtuTitleNT},
    {Plain(IDC_PMTU_DISABLE_DISCOVERY, TextId::DisableIt),
     Plain(IDC_PMTU_ENABLE_BLACK_HOLE, TextId::EnableBlackHole),
     SwitchState(IDC_PMTU_DISCOVERY_EXPLANATION, TextId::DiscoveryExplanation,
                 &R::OriginalPMTUDiscovery, &F::PMTUDiscoveryFound),
     SwitchState(IDC_PMTU_BLACK_HOLE_EXPLANATION, TextId::BlackHoleExplanation,
                 &R::OriginalPMTUBlackHoleDetect, &F::PMTUBlackHoleDetectFound),
     Plain(IDC_PMTU_DISCOVERY_RECOMMENDED, TextId::RecommendedDiscovery),
     Plain(IDC_PMTU_BLACK_HOLE_RECOMMENDED, TextId::RecommendedBlackHole)},
    {},
    {{IDC_PMTU_ENABLE_BLACK_HOLE, &R::NewPMTUBlackHoleDetect, 1},
     {IDC_PMTU_DISABLE_DISCOVERY, &R::NewPMTUDiscovery, 0}},
    {{IDC_PMTU_DISCOVERY_EXPLANATION}, {IDC_PMTU_DISCOVERY_RECOMMENDED},
     {IDC_PMTU_BLACK_HOLE_EXPLANATION}, {IDC_PMTU_BLACK_HOLE_RECOMMENDED},
     {IDC_PMTU_DISABLE_DISCOVERY, skin::kCheckBox},
     {IDC_PMTU_ENABLE_BLACK_HOLE, skin::kCheckBox}}};

}  // namespace

COtherMTUSettings::COtherMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {}

}  // namespace velo
