#include <gtest/gtest.h>

#include "wizard/BoxFixUps.h"

namespace velo {
namespace {

TEST(BoxFixUps, LeavingABoxKeepsAcceptedValuesAndReplacesTheOthers) {
  const BoxBound http10 = {4, 20};
  const struct {
    const char* text;
    int32_t settled;
    bool rewrite;
  } cases[] = {
      {"4", 4, false},
      {"100", 100, false},
      {"2147483647", 2147483647, false},
      {"3", 20, true},
      {"", 20, true},
      {"0", 20, true},
      {"abc", 20, true},
      // Above 2147483647 the number counts as negative.
      {"2147483648", 20, true},
      {"4294967295", 20, true},
      // Beyond 32 bits there is no number at all.
      {"4294967300", 20, true},
      // Only the leading number counts.
      {"  12x", 12, false},
  };
  for (const auto& one : cases) {
    bool rewrite = !one.rewrite;
    EXPECT_EQ(one.settled, SettleOnLeaving(one.text, http10, &rewrite))
        << '"' << one.text << '"';
    EXPECT_EQ(one.rewrite, rewrite) << '"' << one.text << '"';
  }
}

TEST(BoxFixUps, TheBoundIsTheSmallestAcceptedValue) {
  EXPECT_EQ(2, AtLeastLowest(2, {2, 20}));
  EXPECT_EQ(20, AtLeastLowest(1, {2, 20}));
  EXPECT_EQ(64, AtLeastLowest(-5, {1, 64}));
  EXPECT_EQ(256, AtLeastLowest(256, {1, 64})) << "no upper bound here";
}

}  // namespace
}  // namespace velo
