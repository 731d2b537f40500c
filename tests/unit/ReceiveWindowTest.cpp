#include <gtest/gtest.h>

#include "store/SettingsRecord.h"
#include "tuning/ReceiveWindow.h"

namespace velo {
namespace {

struct Expected {
  int32_t multiplier;
  int32_t window;
};

Expected Default(int32_t type, int32_t mss,
                 int32_t largest = kLargestScaledReceiveWindow) {
  ReceiveWindowDefault proposed = DefaultReceiveWindow(type, mss, largest);
  return {proposed.multiplier, proposed.window};
}

bool operator==(const Expected& a, const Expected& b) {
  return a.multiplier == b.multiplier && a.window == b.window;
}

void PrintTo(const Expected& e, std::ostream* out) {
  *out << e.multiplier << " x 4 x MSS = " << e.window;
}

TEST(ReceiveWindow, DefaultsFollowTheConnectionTypeAndTheMss) {
  EXPECT_EQ((Expected{3, 6432}), Default(kDialUp, 536));
  EXPECT_EQ((Expected{44, 255552}), Default(kDsl, 1452));
  EXPECT_EQ((Expected{44, 256960}), Default(kLan, 1460));
  EXPECT_EQ((Expected{44, 256960}), Default(kCableModem, 1460));
  EXPECT_EQ((Expected{44, 176000}), Default(kLan, 1000));
}

TEST(ReceiveWindow, WithoutScalingTheDefaultStaysWithin65535) {
  const int32_t unscaled = kLargestUnscaledReceiveWindow;
  EXPECT_EQ((Expected{3, 6432}), Default(kDialUp, 536, unscaled));
  EXPECT_EQ((Expected{11, 64240}), Default(kLan, 1460, unscaled));
  EXPECT_EQ((Expected{11, 64240}), Default(kCableModem, 1460, unscaled));
  EXPECT_EQ((Expected{11, 63888}), Default(kDsl, 1452, unscaled));
  EXPECT_EQ((Expected{1, 65532}), Default(kLan, 16383, unscaled));
  EXPECT_EQ((Expected{1, unscaled}), Default(kLan, 16384, unscaled));
  EXPECT_TRUE(WindowProduct::Of(1460, 11).IsValidFor(1460, unscaled));
  EXPECT_FALSE(WindowProduct::Of(1460, 12).IsValidFor(1460, unscaled));
  EXPECT_TRUE(WindowProduct::Of(1460, 12)
                  .IsValidFor(1460, kLargestScaledReceiveWindow));
}

TEST(ReceiveWindow, TheRangeMessageNamesTheBoundThatApplies) {
  const std::string english = "Valid range of RWIN is from MSS to 1073741823.";
  EXPECT_EQ(english, RangeMessage(english, kLargestScaledReceiveWindow));
  EXPECT_EQ("Valid range of RWIN is from MSS to 65535.",
            RangeMessage(english, kLargestUnscaledReceiveWindow));
  EXPECT_EQ("RWIN: MSS .. 65535 !",
            RangeMessage("RWIN: MSS .. 1073741823 !",
                         kLargestUnscaledReceiveWindow));
}

TEST(ReceiveWindow, AnMssTooLargeForTheDefaultKeepsTheWindowInRange) {
  // The largest multiplier whose window still fits: still a multiple of the
  // MSS.
  EXPECT_EQ((Expected{26, 1040000000}), Default(kLan, 10000000));
  EXPECT_EQ((Expected{2, 800000000}), Default(kDialUp, 100000000));
  // The largest MSS for which a multiplier of 1 fits.
  EXPECT_EQ((Expected{1, 1073741820}), Default(kLan, 268435455));
  // From there on no multiplier fits: the largest window.
  EXPECT_EQ((Expected{1, kLargestScaledReceiveWindow}), Default(kLan, 268435456));
  EXPECT_EQ((Expected{1, kLargestScaledReceiveWindow}), Default(kDsl, INT32_MAX));
  // The largest MSS whose default fits, and the next one.
  EXPECT_EQ((Expected{44, 1073741680}), Default(kLan, 6100805));
  EXPECT_EQ((Expected{43, 1049338632}), Default(kLan, 6100806));
}

TEST(ReceiveWindow, ProductsAreValidFromTheMssToTheLargestWindow) {
  EXPECT_TRUE(WindowProduct::Of(1460, 183859).IsValidFor(1460, kLargestScaledReceiveWindow));
  EXPECT_FALSE(WindowProduct::Of(1460, 183860).IsValidFor(1460, kLargestScaledReceiveWindow));
  EXPECT_FALSE(WindowProduct::Of(1460, 0).IsValidFor(1460, kLargestScaledReceiveWindow)) << "below the MSS";
  EXPECT_FALSE(WindowProduct::Of(1460, -1).IsValidFor(1460, kLargestScaledReceiveWindow));
  EXPECT_TRUE(WindowProduct::Of(1, 1).IsValidFor(4, kLargestScaledReceiveWindow)) << "4 is not below 4";
  EXPECT_FALSE(WindowProduct::Of(1, 1).IsValidFor(5, kLargestScaledReceiveWindow));
  EXPECT_EQ(1073736560, WindowProduct::Of(1460, 183859).Window());
}

TEST(ReceiveWindow, ProductsNeitherOverflowNorWrapBackIntoRange) {
  // 1460 x 735440 x 4 = 4294969600, which 32 bits would wrap to 2304.
  WindowProduct wrapping = WindowProduct::Of(1460, 735440);
  EXPECT_FALSE(wrapping.IsValidFor(1460, kLargestScaledReceiveWindow));
  EXPECT_EQ("4294969600", wrapping.ToString());
  // 2^64 - 2^33 + 4 does not fit a signed 64-bit number.
  WindowProduct largest = WindowProduct::Of(INT32_MAX, INT32_MAX);
  EXPECT_EQ("18446744056529682436", largest.ToString());
  EXPECT_FALSE(largest.IsValidFor(INT32_MAX, kLargestScaledReceiveWindow));
  EXPECT_EQ("-18446744065119617024",
            WindowProduct::Of(INT32_MAX, INT32_MIN).ToString());
  EXPECT_EQ("-5840", WindowProduct::Of(1460, -1).ToString());
  EXPECT_EQ("0", WindowProduct::Of(1460, 0).ToString());
  EXPECT_EQ("256960", WindowProduct::Valid(256960).ToString());
}

TEST(ReceiveWindow, TheEquationHoldsAsShownEvenWhenTheWindowIsTheLargest) {
  const struct {
    int32_t mss;
    const char* sign;
  } proposals[] = {{1460, "="}, {10000000, "="}, {268435455, "="},
                   // No multiplier fits: MSS x 1 x 4 is beyond the window.
                   {268435456, ">"}, {INT32_MAX, ">"}};
  for (const auto& proposal : proposals) {
    ReceiveWindowDefault proposed = DefaultReceiveWindow(kLan, proposal.mss, kLargestScaledReceiveWindow);
    EXPECT_STREQ(proposal.sign,
                 EquationSign(proposal.mss, proposed.multiplier,
                              WindowProduct::Valid(proposed.window)))
        << proposal.mss;
  }
  // While the user types, the box shows the product itself, in range or not.
  EXPECT_STREQ("=", EquationSign(1460, 183860, WindowProduct::Of(1460, 183860)));
  EXPECT_STREQ("=", EquationSign(1460, 0, WindowProduct::Of(1460, 0)));
}

}  // namespace
}  // namespace velo
