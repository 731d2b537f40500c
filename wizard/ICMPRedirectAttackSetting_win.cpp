#include "wizard/ICMPRedirectAttackSetting.h"

#include "res/wizard/ICMPRedirectAttackSetting.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

// The page with `recommendation` below the switch.
PageDescription PageOf(TextId recommendation) {
  return {IDD_ICMP_REDIRECT_ATTACK_SETTING, kIcmpRedirectPage,
    // The page belongs to the eight-step wizard only.
    {TextId::IcmpRedirectTitle, TextId::IcmpRedirectTitle},
    {Plain(IDC_ICMP_ENABLE, TextId::EnableIcmp),
     Plain(IDC_ICMP_SYMPTOM, TextId::IcmpSymptom),
     Plain(IDC_ICMP_PROCESSOR, TextId::IcmpProcessor),
     Plain(IDC_ICMP_RECONNECTED, TextId::IcmpReconnected),
     SwitchState(IDC_ICMP_CAUSE, TextId::IcmpCause,
                 &SettingsRecord::OriginalEnableICMPRedirects,
                 &FoundFlags::EnableICMPRedirectsFound),
     Plain(IDC_ICMP_RECOMMENDED, recommendation)},
    {},
    {{IDC_ICMP_ENABLE, &SettingsRecord::NewEnableICMPRedirects, 1}},
    {{IDC_ICMP_SYMPTOM}, {IDC_ICMP_PROCESSOR}, {IDC_ICMP_RECONNECTED},
     {IDC_ICMP_CAUSE}, {IDC_ICMP_RECOMMENDED},
     {IDC_ICMP_ENABLE, skin::kCheckBox}}};
}

// NT 4.0 before Service Pack 5 reads no ICMP redirect value: the page says
// so, and Finish writes none.
const PageDescription& PageFor(const WindowsLimits& limits) {
  static const PageDescription kRead = PageOf(TextId::RecommendedIcmp);
  static const PageDescription kNotRead = PageOf(TextId::IcmpNotRead);
  return limits.readsIcmpRedirects ? kRead : kNotRead;
}

}  // namespace

CICMPRedirectAttackSetting::CICMPRedirectAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, PageFor(sheet.Limits())) {}

}  // namespace velo
