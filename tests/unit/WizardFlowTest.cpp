#include <gtest/gtest.h>

#include <vector>

#include "wizard/WizardFlow.h"

namespace velo {
namespace {

// The pages a user sees pressing Next from the first page until Finish.
std::vector<int> ForwardRun(WindowsFamily family, int32_t modemFound) {
  std::vector<int> pages;
  for (WizardPageIndex page = kConnectionTypePage; page != kNoPage;
       page = NextPage(page, family, modemFound)) {
    pages.push_back(page);
    if (pages.size() > 9) break;
  }
  return pages;
}

TEST(WizardFlow, ForwardRunsOfBothFamiliesWithAndWithoutAModem) {
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), ForwardRun(kFamily9x, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 8}), ForwardRun(kFamily9x, 1));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}), ForwardRun(kFamilyNT, 0));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}),
            ForwardRun(kFamilyNT, 1));
}

TEST(WizardFlow, TheLastPageOfARunOffersFinishAndNoOtherDoes) {
  for (WindowsFamily family : {kFamily9x, kFamilyNT}) {
    for (int32_t modem : {0, 1}) {
      std::vector<int> run = ForwardRun(family, modem);
      for (int page : run) {
        WizardButtons buttons =
            ButtonsOf(static_cast<WizardPageIndex>(page), family, modem);
        if (page == kConnectionTypePage)
          EXPECT_EQ(kNextOnly, buttons);
        else if (page == run.back())
          EXPECT_EQ(kBackAndFinish, buttons) << family << modem << page;
        else
          EXPECT_EQ(kBackAndNext, buttons) << family << modem << page;
      }
    }
  }
}

TEST(WizardFlow, BackFromTheModemPageSkipsThePagesTheFamilyLacks) {
  EXPECT_EQ(kKeepAlivePage, PreviousPage(kModemBoostPage, kFamily9x));
  EXPECT_EQ(kIcmpRedirectPage, PreviousPage(kModemBoostPage, kFamilyNT));
  EXPECT_EQ(kMtuPage, PreviousPage(kPathMtuPage, kFamily9x));
  EXPECT_EQ(kNoPage, PreviousPage(kConnectionTypePage, kFamilyNT));
}

}  // namespace
}  // namespace velo
