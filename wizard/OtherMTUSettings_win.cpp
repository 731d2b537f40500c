#include "wizard/OtherMTUSettings.h"

#include "res/wizard/OtherMTUSettings.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const StepTitle kTitle = {"32", "Step 3 of 6 : Other MTU Settings", "23",
                          "Step 3 of 8 : Other MTU Settings"};

}  // namespace

COtherMTUSettings::COtherMTUSettings(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_OTHER_MTU_SETTINGS, kPathMtuPage) {}

BOOL COtherMTUSettings::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_PMTU_DISCOVERY_EXPLANATION, skin::kLabel},
            {IDC_PMTU_DISCOVERY_RECOMMENDED, skin::kLabel},
            {IDC_PMTU_BLACK_HOLE_EXPLANATION, skin::kLabel},
            {IDC_PMTU_BLACK_HOLE_RECOMMENDED, skin::kLabel},
            {IDC_PMTU_DISABLE_DISCOVERY, skin::kCheckBox},
            {IDC_PMTU_ENABLE_BLACK_HOLE, skin::kCheckBox}});
  return TRUE;
}

BOOL COtherMTUSettings::OnSetActive() {
  ShowTexts();
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void COtherMTUSettings::ShowTexts() {
  const SettingsRecord& record = Record();
  ShowStepTitle(kTitle);
  SetLocalizedText("IDC_chk_MTUDiscovery", IDC_PMTU_DISABLE_DISCOVERY,
                   "Disable It?");
  SetLocalizedText("IDC_chk_BlackHoleDetection", IDC_PMTU_ENABLE_BLACK_HOLE,
                   "Enable It?");
  SetItemText(
      IDC_PMTU_DISCOVERY_EXPLANATION,
      WithSwitchState(
          Localized(),
          Text("IDC_static_step4_MTUDiscoveryExplain",
               "Remote networks also have an MTU value, which is almost always "
               "different from that of the local network. Enabling this "
               "registry key tells TCP/IP to try to automatically detect the "
               "MTU for all networks along the path to a remote host. Once "
               "TCP/IP knows the MTU for all networks along a path, it can "
               "avoid using MTU values that are too high, thus avoiding packet "
               "fragmentation and the performance problems that come with "
               "it.**Remote networks' MTU"),
          Found().PMTUDiscoveryFound != 0, record.OriginalPMTUDiscovery));
  SetItemText(
      IDC_PMTU_BLACK_HOLE_EXPLANATION,
      WithSwitchState(
          Localized(),
          Text("IDC_static_step4_BlackHoeDetectExplain",
               "Black hole routers are configured not to return the "
               "Destination Host Unreachable messages that are used by path "
               "MTU discovery. Normally, when TCP/IP performs path MTU "
               "discovery, the process works by sending out a packet of data "
               "with the DF (Don't Fragment) bit set. If the PC sending out "
               "the packet receives a Destination Host Unreachable message, it "
               "means that the MTU for that particular network may be too "
               "high; in this case, TCP/IP will try to use a lower "
               "value.**Black hole routers"),
          Found().PMTUBlackHoleDetectFound != 0,
          record.OriginalPMTUBlackHoleDetect));
  SetLocalizedText("IDC_static_MTUDiscovery", IDC_PMTU_DISCOVERY_RECOMMENDED,
                   "Recommended to be ENABLED.");
  SetLocalizedText("IDC_static_BlackHoleDetect",
                   IDC_PMTU_BLACK_HOLE_RECOMMENDED,
                   "Recommended to be DISABLED since it imposes extra "
                   "transmission overhead.");
}

BOOL COtherMTUSettings::OnKillActive() {
  SettingsRecord& record = Record();
  record.NewPMTUBlackHoleDetect = IsChecked(IDC_PMTU_ENABLE_BLACK_HOLE) ? 1 : 0;
  record.NewPMTUDiscovery = IsChecked(IDC_PMTU_DISABLE_DISCOVERY) ? 0 : 1;
  return CWizardPage::OnKillActive();
}

}  // namespace velo
