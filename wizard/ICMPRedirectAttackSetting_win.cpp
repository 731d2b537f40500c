#include "wizard/ICMPRedirectAttackSetting.h"

#include "res/wizard/ICMPRedirectAttackSetting.h"

namespace velo {

namespace {

const PageDescription kPage = {IDD_ICMP_REDIRECT_ATTACK_SETTING, kIcmpRedirectPage,
    // The page belongs to the eight-step wizard only.
    {TextId::IcmpRedirectTitle, TextId::IcmpRedirectTitle},
    {Plain(IDC_ICMP_ENABLE, TextId::EnableIcmp),
     Plain(IDC_ICMP_SYMPTOM, TextId::IcmpSymptom),
     Plain(IDC_ICMP_PROCESSOR, TextId::IcmpProcessor),
     Plain(IDC_ICMP_RECONNECTED, TextId::IcmpReconnected),
     SwitchState(IDC_ICMP_CAUSE, TextId::IcmpCause,
                 &SettingsRecord::OriginalEnableICMPRedirects,
                 &FoundFlags::EnableICMPRedirectsFound),
     Plain(IDC_ICMP_RECOMMENDED, TextId::RecommendedIcmp)},
    {},
    {{IDC_ICMP_ENABLE, &SettingsRecord::NewEnableICMPRedirects, 1}},
    {{IDC_ICMP_SYMPTOM}, {IDC_ICMP_PROCESSOR}, {IDC_ICMP_RECONNECTED},
     {IDC_ICMP_CAUSE}, {IDC_ICMP_RECOMMENDED},
     {IDC_ICMP_ENABLE, skin::kCheckBox}}};

}  // namespace

CICMPRedirectAttackSetting::CICMPRedirectAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {}

}  // namespace velo
