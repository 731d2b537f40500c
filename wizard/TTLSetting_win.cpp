#include "wizard/TTLSetting.h"

#include "res/wizard/TTLSetting.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const StepTitle kTitle = {"34",
                          "Step 5 of 6 : TTL & Internet Explorer Optimization",
                          "25",
                          "Step 5 of 8 : TTL & Internet Explorer Optimization"};

const int32_t kLargestTtl = 255;

}  // namespace

CTTLSetting::CTTLSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_TTL_SETTING, kTtlPage) {
  // Fewer connections than 4 and 2 are put right without a message.
  UseNumberBoxes(
      {{IDC_HTTP_1_0_BOX, &SettingsRecord::NewMaxConnectionsPer1_0Server,
        &SettingsRecord::RecommendedMaxConnectionsPer1_0Server, 4, kAnyLow,
        kAnyHigh},
       {IDC_HTTP_1_1_BOX, &SettingsRecord::NewMaxConnectionsPerServer,
        &SettingsRecord::RecommendedMaxConnectionsPerServer, 2, kAnyLow,
        kAnyHigh},
       {IDC_TTL_BOX, &SettingsRecord::NewTTL, &SettingsRecord::RecommendedTTL,
        1, 0, kLargestTtl}});
}

BOOL CTTLSetting::OnInitDialog() {
  CWizardPage::OnInitDialog();
  SkinPage({{IDC_TTL_EXPLANATION, skin::kLabel},
            {IDC_TTL_RECOMMENDED, skin::kLabel},
            {IDC_BROWSER_EXPLANATION, skin::kLabel},
            {IDC_HTTP_1_0_CURRENT, skin::kLabel},
            {IDC_HTTP_1_0_RECOMMENDED, skin::kLabel},
            {IDC_HTTP_1_1_CURRENT, skin::kLabel},
            {IDC_HTTP_1_1_RECOMMENDED, skin::kLabel},
            {IDC_TTL_TITLE, skin::kLabel},
            {IDC_BROWSER_TITLE, skin::kLabel}});
  return TRUE;
}

BOOL CTTLSetting::OnSetActive() {
  ShowTexts();
  UpdateData(false);
  ShowWizardButtons();
  return CWizardPage::OnSetActive();
}

void CTTLSetting::ShowTexts() {
  const SettingsRecord& record = Record();
  const FoundFlags& found = Found();
  ShowStepTitle(kTitle);
  SetItemText(IDC_TTL_EXPLANATION,
              WithCurrentValue(
                  Localized(),
                  Text("IDC_static_step6_Explain",
                       "The value of TTL (Time To Live) defines how long a "
                       "packet can stay active before being discarded.**TTL"),
                  found.TTLFound != 0, record.OriginalTTL, kSeconds));
  SetItemText(IDC_TTL_RECOMMENDED,
              ReplaceNumber(Text("IDC_static_RecommendedTTL",
                                 "Recommended TTL  :  %d seconds."),
                            record.RecommendedTTL));
  SetItemText(IDC_BROWSER_TITLE, Text("IDC_IE_GROUP_BOX",
                                      "Internet Explorer Optimization"));
  SetItemText(IDC_BROWSER_EXPLANATION,
              Text("IDC_IE_OPTIMIZATION",
                   "Optimize Internet Explorer by setting the maximum number "
                   "of simultaneous requests for accessing type 1.0 or 1.1 "
                   "HTTP servers."));
  SetItemText(IDC_HTTP_1_0_CURRENT,
              WithCurrentValue(Localized(),
                               Text("IDC_CURRENT_HTTP_1_0", "HTTP 1.0 value"),
                               found.MaxConnectionsPer1_0ServerFound != 0,
                               record.OriginalMaxConnectionsPer1_0Server));
  SetItemText(IDC_HTTP_1_0_RECOMMENDED,
              ReplaceNumber(Text("IDC_RECOMMENDED_HTTP_1_0",
                                 "Recommended value for HTTP 1.0  :  %d."),
                            record.RecommendedMaxConnectionsPer1_0Server));
  SetItemText(IDC_HTTP_1_1_CURRENT,
              WithCurrentValue(Localized(),
                               Text("IDC_CURRENT_HTTP_1_1", "HTTP 1.1 value"),
                               found.MaxConnectionsPerServerFound != 0,
                               record.OriginalMaxConnectionsPerServer));
  SetItemText(IDC_HTTP_1_1_RECOMMENDED,
              ReplaceNumber(Text("IDC_RECOMMENDED_HTTP_1_1",
                                 "Recommended value for HTTP 1.1  :  %d."),
                            record.RecommendedMaxConnectionsPerServer));
}

BOOL CTTLSetting::OnKillActive() {
  // A TTL above 255 keeps the user here with the range message; a box that
  // holds no number is passed over with its earlier value, and a TTL below
  // the range is put right as an emptied box is.
  if (Exchange(true) == kOutOfRange && BoxValue(IDC_TTL_BOX) > kLargestTtl)
    return FALSE;
  SettleBoxes();
  return CWizardPage::OnKillActive();
}

}  // namespace velo
