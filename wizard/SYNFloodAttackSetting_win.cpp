#include "wizard/SYNFloodAttackSetting.h"

#include "res/wizard/SYNFloodAttackSetting.h"

namespace velo {

namespace {

const PageDescription kPage = {IDD_SYN_FLOOD_ATTACK_SETTING, kSynFloodPage,
    // The page belongs to the eight-step wizard only.
    {TextId::SynFloodTitle, TextId::SynFloodTitle},
    {Plain(IDC_SYN_EXPLANATION, TextId::SynExplanation),
     CurrentOption(IDC_SYN_LEVELS, TextId::SynLevels,
                   &SettingsRecord::OriginalSYNAttackProtect,
                   &FoundFlags::SYNAttackProtectFound),
     Plain(IDC_SYN_QUESTION, TextId::SynQuestion)},
    // Every value outside the levels keeps the user here.
    {{IDC_SYN_LEVEL_BOX, &SettingsRecord::NewSYNAttackProtect,
      &SettingsRecord::RecommendedSYNAttackProtect, kNoFallBack, 0, 2}},
    {},
    {{IDC_SYN_EXPLANATION}, {IDC_SYN_LEVELS}, {IDC_SYN_QUESTION}}};

}  // namespace

CSYNFloodAttackSetting::CSYNFloodAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, kPage) {}

}  // namespace velo
