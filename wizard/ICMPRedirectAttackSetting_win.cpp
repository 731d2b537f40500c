#include "wizard/ICMPRedirectAttackSetting.h"

#include "res/wizard/ICMPRedirectAttackSetting.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

// The page belongs to the eight-step wizard only.
const StepTitle kTitle = {"28", "Step 8 of 8 : ICMP Redirect Attack Setting",
                          "28", "Step 8 of 8 : ICMP Redirect Attack Setting"};

}  // namespace

CICMPRedirectAttackSetting::CICMPRedirectAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_ICMP_REDIRECT_ATTACK_SETTING, kIcmpRedirectPage) {}

BOOL CICMPRedirectAttackSetting::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_ICMP_SYMPTOM, skin::kLabel},
            {IDC_ICMP_PROCESSOR, skin::kLabel},
            {IDC_ICMP_RECONNECTED, skin::kLabel},
            {IDC_ICMP_CAUSE, skin::kLabel},
            {IDC_ICMP_RECOMMENDED, skin::kLabel},
            {IDC_ICMP_ENABLE, skin::kCheckBox}});
  return TRUE;
}

BOOL CICMPRedirectAttackSetting::OnSetActive() {
  ShowTexts();
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CICMPRedirectAttackSetting::ShowTexts() {
  ShowStepTitle(kTitle);
  SetLocalizedText("IDC_chk_ICMP", IDC_ICMP_ENABLE, "Enable It?");
  SetLocalizedText("IDC_static_step9_ICMPExplain", IDC_ICMP_SYMPTOM,
                   "Your computer may stop responding (hang) or the "
                   "computer's performance may degrade drastically when "
                   "connected to an internetwork segment or to the Internet.");
  SetLocalizedText("IDC_static_step9_ICMPExplain2", IDC_ICMP_PROCESSOR,
                   "The Performance tool's Processor Utilization object may "
                   "indicate 100 percent utilization.");
  SetLocalizedText("IDC_static_step9_ICMPExplain3", IDC_ICMP_RECONNECTED,
                   "If the computer is disconnected from the network segment "
                   "or the Internet and then restarted, the problem does not "
                   "occur again until the computer is reconnected to the "
                   "network segment or Internet.");
  SetItemText(
      IDC_ICMP_CAUSE,
      WithSwitchState(
          Localized(),
          Text("IDC_static_step9_ICMPExplain4",
               "This problem is caused by the receipt of multiple Internet "
               "Control Message Protocol (ICMP) Redirect packets that are "
               "used to change routing table entries. Too many ICMP Redirect "
               "packets in a short period of time may cause Windows to "
               "dedicate an inordinate amount of CPU time to update the "
               "routing table and cause the computer to stop responding. In "
               "many cases, this scenario indicates a denial of service "
               "attack through the use of a program to send multiple ICMP "
               "Redirect packets against a specific TCP/IP address.**ICMP"),
          Found().EnableICMPRedirectsFound != 0,
          Record().OriginalEnableICMPRedirects));
  SetLocalizedText("IDC_RecommendedICMP", IDC_ICMP_RECOMMENDED,
                   "Recommended to be DISABLED.");
}

void CICMPRedirectAttackSetting::StoreChoice() {
  Record().NewEnableICMPRedirects = IsChecked(IDC_ICMP_ENABLE) ? 1 : 0;
}

BOOL CICMPRedirectAttackSetting::OnKillActive() {
  StoreChoice();
  return CWizardPage::OnKillActive();
}

BOOL CICMPRedirectAttackSetting::OnWizardFinish() {
  StoreChoice();
  return CWizardPage::OnWizardFinish();
}

}  // namespace velo
