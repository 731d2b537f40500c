#include "wizard/TTLSetting.h"

#include "res/wizard/TTLSetting.h"

namespace velo {

namespace {

using R = SettingsRecord;
using F = FoundFlags;

const PageDescription kPage = {IDD_TTL_SETTING, kTtlPage,
    {TextId::TtlTitle9x, TextId::TtlTitleNT},
    {CurrentValue(IDC_TTL_EXPLANATION, TextId::TtlExplanation, &R::OriginalTTL,
                  &F::TTLFound, &kSeconds),
     Recommendation(IDC_TTL_RECOMMENDED, TextId::RecommendedTtl,
                    &R::RecommendedTTL),
     Plain(IDC_BROWSER_TITLE, TextId::BrowserTitle),
     Plain(IDC_BROWSER_EXPLANATION, TextId::BrowserExplanation),
     CurrentValue(IDC_HTTP_1_0_CURRENT, TextId::Http10Value,
                  &R::OriginalMaxConnectionsPer1_0Server,
                  &F::MaxConnectionsPer1_0ServerFound),
     Recommendation(IDC_HTTP_1_0_RECOMMENDED, TextId::RecommendedHttp10,
                    &R::RecommendedMaxConnectionsPer1_0Server),
     CurrentValue(IDC_HTTP_1_1_CURRENT, TextId::Http11Value,
                  &R::OriginalMaxConnectionsPerServer,
                  &F::MaxConnectionsPerServerFound),
     Recommendation(IDC_HTTP_1_1_RECOMMENDED, TextId::RecommendedHttp11,
                    &R::RecommendedMaxConnectionsPerServer)},
    // Fewer connections than 4 and 2 are put right without a message.
    {{IDC_HTTP_1_0_BOX, &R::NewMaxConnectionsPer1_0Server,
      &R::RecommendedMaxConnectionsPer1_0Server, 4, kAnyLow, kAnyHigh},
     {IDC_HTTP_1_1_BOX, &R::NewMaxConnectionsPerServer,
      &R::RecommendedMaxConnectionsPerServer, 2, kAnyLow, kAnyHigh},
     {IDC_TTL_BOX, &R::NewTTL, &R::RecommendedTTL, 1, 0, 255}},
    {},
    {{IDC_TTL_EXPLANATION}, {IDC_TTL_RECOMMENDED}, {IDC_BROWSER_EXPLANATION},
     {IDC_HTTP_1_0_CURRENT}, {IDC_HTTP_1_0_RECOMMENDED}, {IDC_HTTP_1_1_CURRENT},
     {IDC_HTTP_1_1_RECOMMENDED}, {IDC_TTL_TITLE}, {IDC_BROWSER_TITLE}}};

}  // namespace

CTTLSetting::CTTLSetting(CMyPropertySheet& sheet) : CWizardPage(sheet, kPage) {}

}  // namespace velo
