#include <gtest/gtest.h>

#include "app/WindowsVersion.h"
#include "store/SettingsRecord.h"
#include "tuning/LineWindow.h"
#include "tuning/ReceiveWindow.h"
#include "wizard/ReceiveWindowStep.h"

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

// The window that fills a line: rate x round trip in whole segments, two
// more, at least four, in whole multipliers of four segments, within the
// largest window of each Windows.
TEST(ReceiveWindow, TheLineWindowIsTheBandwidthDelayProductInWholeSegments) {
  const int32_t scaled = kLargestScaledReceiveWindow;
  const int32_t unscaled = kLargestUnscaledReceiveWindow;
  const struct {
    const char* line;
    int32_t kbits, roundTripMs, mss, largest;
    int32_t multiplier, window;
    bool scaling;
  } rows[] = {
      // The lab's profiles: 638 bytes on the modem are two segments.
      {"modem", 34, 150, 536, unscaled, 1, 4 * 536, false},
      {"DSL 7,680 bytes", 1536, 40, 1452, unscaled, 2, (6 + 2) * 1452, false},
      {"cable 12,500 bytes", 5000, 20, 1460, scaled, 3, (9 + 2 + 1) * 1460,
       false},
      {"satellite 75,000 bytes, with scaling", 1000, 600, 1460, scaled, 14,
       (52 + 2 + 2) * 1460, true},
      {"satellite, a Windows without scaling", 1000, 600, 1460, unscaled, 11,
       44 * 1460, false},
      // Rounding: exactly ten segments stay ten; one bit more is eleven, and
      // the multiplier holds sixteen.
      {"exactly 14,600 bytes", 1168, 100, 1460, scaled, 3, (10 + 2) * 1460,
       false},
      {"14,600 bytes and a bit", 11681, 10, 1460, scaled, 4,
       (11 + 2 + 3) * 1460, false},
      // The floor: four segments however slow or near the line.
      {"one bit", 1, 1, 1460, scaled, 1, 4 * 1460, false},
      {"exactly one segment", 1168, 10, 1460, scaled, 1, 4 * 1460, false},
      {"two segments", 1168, 20, 1460, scaled, 1, 4 * 1460, false},
      {"three segments", 1168, 30, 1460, scaled, 2, 8 * 1460, false},
      // Scaling only beyond 65,535.
      {"65,520 without scaling", 5000, 100, 1365, scaled, 12, 65520, false},
      {"65,536 with scaling", 5000, 100, 1024, scaled, 16, 65536, true},
      {"65,536 where there is no scaling", 5000, 100, 1024, unscaled, 15,
       60 * 1024, false},
      // An MSS whose four segments are beyond the largest window: the
      // largest window itself, as the step shows it for such an MSS.
      {"MSS beyond 65,535", 5000, 20, 70000, unscaled, 1, unscaled, false},
      {"four segments beyond 65,535", 56, 100, 16384, unscaled, 1, unscaled,
       false},
      // The largest line: no overflow, the largest whole multiplier.
      {"the largest line", INT32_MAX, INT32_MAX, 1460, scaled, 183859,
       183859 * 4 * 1460, true},
  };
  for (const auto& row : rows) {
    LineWindow line =
        WindowForLine(row.kbits, row.roundTripMs, row.mss, row.largest);
    EXPECT_EQ(row.multiplier, line.multiplier) << row.line;
    EXPECT_EQ(row.window, line.window) << row.line;
    EXPECT_EQ(row.scaling, line.needsScaling) << row.line;
  }
}

// The satellite line's 81,760 bytes, within what each Windows reads: 95,
// 98 and Me, whose stacks stall with scaling, and NT 4.0, which has none,
// hold 44 segments; 2000, XP and 2003 take the whole window, scaled.
TEST(ReceiveWindow, TheLineWindowStaysWithinWhatEachWindowsReads) {
  const struct {
    const char* windows;
    VersionNumbers numbers;
    bool winsock2;
    int32_t window;
  } rows[] = {
      {"95", {1, 4, 0, 0}, false, 44 * 1460},
      {"95 with Winsock 2", {1, 4, 0, 0}, true, 44 * 1460},
      {"98", {1, 4, 10, 0}, true, 44 * 1460},
      {"Me", {1, 4, 90, 0}, true, 44 * 1460},
      {"NT 4.0", {2, 4, 0, 6}, true, 44 * 1460},
      {"2000", {2, 5, 0, 4}, true, 56 * 1460},
      {"XP", {2, 5, 1, 2}, true, 56 * 1460},
      {"2003", {2, 5, 2, 1}, true, 56 * 1460},
  };
  for (const auto& row : rows) {
    const WindowsLimits limits =
        CWindowsVersion(row.numbers).Limits(row.winsock2);
    LineWindow line = WindowForLine(1000, 600, 1460,
                                    limits.largestRecommendedReceiveWindow);
    EXPECT_EQ(row.window, line.window) << row.windows;
    EXPECT_EQ(row.window > 65535, line.needsScaling) << row.windows;
    EXPECT_EQ(row.window < 56 * 1460, line.heldToLargest) << row.windows;
  }
}

TEST(ReceiveWindow, ALineWithoutRateOrRoundTripHasNoWindowOfItsOwn) {
  const int32_t scaled = kLargestScaledReceiveWindow;
  EXPECT_EQ(0, WindowForLine(0, 150, 536, scaled).window) << "no rate";
  EXPECT_EQ(0, WindowForLine(1536, 0, 1452, scaled).window) << "not measured";
  EXPECT_EQ(0, WindowForLine(-1, 150, 536, scaled).window);
  EXPECT_EQ(0, WindowForLine(1536, -40, 1452, scaled).window);
  EXPECT_EQ(0, WindowForLine(1536, 40, 0, scaled).window) << "no MSS";
  EXPECT_FALSE(WindowForLine(0, 150, 536, scaled).needsScaling);
}

// The step proposes the line's window where a round trip was measured, at
// the connection type's speed until the user types another, which it keeps
// through Back and Next while the type stays.
TEST(ReceiveWindowStep, TheLineSpeedDrivesTheProposalAndIsKeptWhileTheTypeIs) {
  const MeasuredRoundTrip dslTrip{true, 40, "ns.example"};
  ReceiveWindowStep step;
  step.Prepare(kDsl, 1452, WindowsLimits{}, MeasuredRoundTrip{});
  EXPECT_FALSE(step.HasLine());
  EXPECT_EQ(Default(kDsl, 1452), (Expected{step.Proposed().multiplier,
                                           step.Proposed().window}))
      << "without a round trip, the type's multiplier";

  step.Prepare(kDsl, 1452, WindowsLimits{}, dslTrip);
  ASSERT_TRUE(step.HasLine());
  EXPECT_EQ(1536, step.Speed());
  EXPECT_EQ(2, step.Multiplier()) << "7,680 bytes, 6 segments and two";
  EXPECT_EQ(2 * 4 * 1452, step.Proposed().window);

  // Anything but a speed from 1 to 10,000,000 changes nothing while typed.
  for (const char* typed : {"", "0", "-5", "abc", "10000001", "99999999999",
                            "1536"})
    EXPECT_FALSE(step.SpeedTyped(typed)) << "'" << typed << "'";
  EXPECT_EQ(1536, step.Speed());
  EXPECT_TRUE(step.SpeedTyped(" 5000 "));
  EXPECT_EQ(5000, step.Speed());
  EXPECT_EQ(5, step.Multiplier()) << "25,000 bytes, 18 segments and two";
  EXPECT_EQ(WindowProduct::Valid(5 * 4 * 1452), step.WindowBox());
  EXPECT_TRUE(step.SpeedLeft("5000"));

  // Back and Next again: the typed speed stays, a typed multiplier goes.
  EXPECT_TRUE(step.MultiplierTyped("9"));
  step.Prepare(kDsl, 1452, WindowsLimits{}, dslTrip);
  EXPECT_EQ(5000, step.Speed());
  EXPECT_EQ(5, step.Multiplier());
  // Another connection type: its own speed.
  step.Prepare(kDialUp, 536, WindowsLimits{}, dslTrip);
  EXPECT_EQ(56, step.Speed());
  EXPECT_EQ(1, step.Multiplier()) << "280 bytes: four segments";
  step.Prepare(kDsl, 1452, WindowsLimits{}, dslTrip);
  EXPECT_EQ(1536, step.Speed());

  // A speed box left without a speed: the type's, and its window.
  EXPECT_TRUE(step.SpeedTyped("8000"));
  EXPECT_FALSE(step.SpeedLeft("0"));
  EXPECT_EQ(1536, step.Speed());
  EXPECT_EQ(2, step.Multiplier());
  // The largest speed, on a Windows that reads no more than 65,535.
  WindowsLimits nineX;
  nineX.largestRecommendedReceiveWindow = kLargestUnscaledReceiveWindow;
  step.Prepare(kDsl, 1452, nineX, dslTrip);
  EXPECT_TRUE(step.SpeedTyped("10000000"));
  EXPECT_EQ(11, step.Multiplier());
  EXPECT_EQ(11 * 4 * 1452, step.Leave());
}

// The multiplier the user types gives the window, within the range from
// the MSS to the largest window; where it is refused the proposal is back.
TEST(ReceiveWindowStep, ATypedMultiplierIsTakenOnlyWithinTheRange) {
  WindowsLimits limits;
  ReceiveWindowStep step;
  step.Prepare(kLan, 1460, limits, MeasuredRoundTrip{});
  EXPECT_TRUE(step.MultiplierTyped("010"));
  EXPECT_EQ(10, step.Multiplier());
  EXPECT_EQ(WindowProduct::Of(1460, 10), step.WindowBox());
  EXPECT_TRUE(step.MultiplierLeft());
  EXPECT_EQ(1460 * 10 * 4, step.Leave());

  EXPECT_FALSE(step.MultiplierTyped("")) << "no number: the window stays";
  EXPECT_EQ(WindowProduct::Of(1460, 10), step.WindowBox());
  EXPECT_FALSE(step.MultiplierLeft()) << "0 gives a window below the MSS";
  EXPECT_EQ(44, step.Multiplier());

  EXPECT_TRUE(step.MultiplierTyped("2147483647"));
  EXPECT_EQ("12541304498480", step.WindowBox().ToString());
  EXPECT_EQ(44 * 4 * 1460, step.Leave()) << "beyond the largest window";
}

}  // namespace
}  // namespace velo
