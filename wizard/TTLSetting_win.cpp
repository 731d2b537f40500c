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
// Fewer connections than these are put right without a message.
const int32_t kFewestTtl = 1;
const int32_t kFewestHttp10 = 4;
const int32_t kFewestHttp11 = 2;

}  // namespace

CTTLSetting::CTTLSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, IDD_TTL_SETTING, kTtlPage) {
  Messages().OnCommand(IDC_HTTP_1_0_BOX, EN_KILLFOCUS, [this] {
    SettleBoxOnLeaving(IDC_HTTP_1_0_BOX, http10Box_, Http10Bound());
  });
  Messages().OnCommand(IDC_HTTP_1_1_BOX, EN_KILLFOCUS, [this] {
    SettleBoxOnLeaving(IDC_HTTP_1_1_BOX, http11Box_, Http11Bound());
  });
  Messages().OnCommand(IDC_TTL_BOX, EN_KILLFOCUS, [this] {
    SettleBoxOnLeaving(IDC_TTL_BOX, ttlBox_, TtlBound());
  });
}

void CTTLSetting::SeedBoxes(const SettingsRecord& record) {
  http10Box_ = record.RecommendedMaxConnectionsPer1_0Server;
  http11Box_ = record.RecommendedMaxConnectionsPerServer;
  ttlBox_ = record.RecommendedTTL;
}

BoxBound CTTLSetting::TtlBound() const {
  return {kFewestTtl, Record().RecommendedTTL};
}

BoxBound CTTLSetting::Http10Bound() const {
  return {kFewestHttp10, Record().RecommendedMaxConnectionsPer1_0Server};
}

BoxBound CTTLSetting::Http11Bound() const {
  return {kFewestHttp11, Record().RecommendedMaxConnectionsPerServer};
}

void CTTLSetting::DoDataExchange(DataExchange& exchange) {
  exchange.Int(IDC_HTTP_1_0_BOX, http10Box_);
  exchange.Int(IDC_HTTP_1_1_BOX, http11Box_);
  exchange.IntInRange(IDC_TTL_BOX, ttlBox_, 0, kLargestTtl);
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
  if (Exchange(true) == kOutOfRange && ttlBox_ > kLargestTtl) return FALSE;
  ttlBox_ = AtLeastLowest(ttlBox_, TtlBound());
  http10Box_ = AtLeastLowest(http10Box_, Http10Bound());
  http11Box_ = AtLeastLowest(http11Box_, Http11Bound());
  UpdateData(false);
  SettingsRecord& record = Record();
  record.NewTTL = ttlBox_;
  record.NewMaxConnectionsPer1_0Server = http10Box_;
  record.NewMaxConnectionsPerServer = http11Box_;
  return CWizardPage::OnKillActive();
}

}  // namespace velo
