#include "wizard/SYNFloodAttackSetting.h"

#include "res/wizard/SYNFloodAttackSetting.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

// The page up to `strongest`, the levels told by `levels`.
PageDescription PageOf(int32_t strongest, TextId levels) {
  return {IDD_SYN_FLOOD_ATTACK_SETTING, kSynFloodPage,
    // The page belongs to the eight-step wizard only.
    {TextId::SynFloodTitle, TextId::SynFloodTitle},
    {Plain(IDC_SYN_EXPLANATION, TextId::SynExplanation),
     CurrentOption(IDC_SYN_LEVELS, levels,
                   &SettingsRecord::OriginalSYNAttackProtect,
                   &FoundFlags::SYNAttackProtectFound),
     Plain(IDC_SYN_QUESTION, TextId::SynQuestion)},
    // Every value outside the levels keeps the user here.
    {{IDC_SYN_LEVEL_BOX, &SettingsRecord::NewSYNAttackProtect,
      &SettingsRecord::RecommendedSYNAttackProtect, kNoFallBack, 0,
      strongest}},
    {},
    {{IDC_SYN_EXPLANATION}, {IDC_SYN_LEVELS}, {IDC_SYN_QUESTION}}};
}

// The levels this Windows is offered, and which of them it runs at when
// the value is absent: level 1 on Server 2003 from Service Pack 1.
const PageDescription& PageFor(const WindowsLimits& limits) {
  static const PageDescription kThreeLevels = PageOf(2, TextId::SynLevels);
  static const PageDescription kTwoLevels = PageOf(1, TextId::SynLevelsServer2003);
  static const PageDescription kTwoLevelsOnByDefault =
      PageOf(1, TextId::SynLevelsServer2003SP1);
  if (limits.strongestSynAttackProtect != 1) return kThreeLevels;
  return limits.defaultSynAttackProtect == 1 ? kTwoLevelsOnByDefault
                                             : kTwoLevels;
}

}  // namespace

CSYNFloodAttackSetting::CSYNFloodAttackSetting(CMyPropertySheet& sheet)
    : CWizardPage(sheet, PageFor(sheet.Limits())) {}

}  // namespace velo
