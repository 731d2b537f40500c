// The receive window page for real: the equation it shows, the window that
// follows the multiplier while it is typed, the range alert when the box is
// left, the silent fallback on Next, an MSS too large for the defaults, and
// the line speed that a round trip measured on the MTU page brings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WizardDriver.h"
#include "res/wizard/ChooseConnectionType.h"
#include "res/wizard/MTUSettings.h"
#include "res/wizard/RWINSetting.h"
#include "tuning/PathProber.h"
#include "wizard/WizardFlow.h"

namespace velo {
namespace {

const char kRangeAlert[] = "Valid range of RWIN is from MSS to 1073741823.";

// A path whose search ends at once with what it is told, the wizard's
// prober while it lives.
class AnsweringProber : public PathProber {
 public:
  AnsweringProber(WizardDriver& wizard, const MtuSearchResult& result)
      : wizard_(wizard), previous_(wizard.Prober()), result_(result) {
    wizard.UseProber(*this);
  }
  ~AnsweringProber() { wizard_.UseProber(previous_); }
  bool CanPing() const override { return true; }
  MtuSearchResult Find(const std::string&,
                       const std::function<bool(int32_t)>&) override {
    return result_;
  }

 private:
  WizardDriver& wizard_;
  PathProber& previous_;
  const MtuSearchResult result_;
};

class ReceiveWindowPage : public ::testing::Test {
 protected:
  // Opens the page for a connection type, with the MSS typed on step 2
  // (empty: the recommended one).
  void Show(int radio, const std::string& mss = "") {
    wizard_.Open();
    CheckRadioButton(wizard_.PageWindow(), IDC_CONNECTION_DIAL_UP,
                     IDC_CONNECTION_LAN, radio);
    wizard_.Next();
    if (!mss.empty()) wizard_.Type(IDC_MSS_BOX, mss);
    ASSERT_TRUE(wizard_.NextTo(kReceiveWindowPage));
  }
  std::vector<std::string> Equation() {
    return {wizard_.Text(IDC_RWIN_MSS_BOX),
            wizard_.Text(IDC_RWIN_MULTIPLIER_BOX),
            wizard_.Text(IDC_RWIN_SCALING_BOX),
            wizard_.Text(IDC_RWIN_WINDOW_BOX)};
  }
  typedef std::vector<std::string> Boxes;

  WizardDriver wizard_{kFamilyNT};
};

TEST_F(ReceiveWindowPage, ProposesTheMultiplierOfTheConnectionType) {
  Show(IDC_CONNECTION_DIAL_UP);
  for (int line : {IDC_RWIN_SPEED_LABEL, IDC_RWIN_SPEED_BOX, IDC_RWIN_ROUND_TRIP})
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(wizard_.PageWindow(), line)))
        << "no round trip measured, no line";
  EXPECT_EQ((Boxes{"536", "3", "4", "6432"}), Equation());
  EXPECT_EQ("Recommended RWIN size  :  6432 bytes.",
            wizard_.Text(IDC_RWIN_RECOMMENDED));
  EXPECT_EQ("Scaling Factor", wizard_.Text(IDC_RWIN_SCALING_LABEL));
  std::string explanation = wizard_.Text(IDC_RWIN_EXPLANATION);
  EXPECT_EQ("RWIN isn't set.", explanation.substr(explanation.rfind('\n') + 1));
  EXPECT_EQ(6432, wizard_.Record().RecommendedRWIN);
}

TEST_F(ReceiveWindowPage, FollowsTheMssTypedOnTheMtuPage) {
  Show(IDC_CONNECTION_LAN, "1000");
  EXPECT_EQ((Boxes{"1000", "44", "4", "176000"}), Equation());
  wizard_.Next();
  EXPECT_EQ(176000, wizard_.Record().NewRWIN);
}

// Where the range ends is the product's own rule (tested natively); here the
// page shows each product whole and leaves the judgement to it.
TEST_F(ReceiveWindowPage, TheWindowFollowsTypingAndTheRangeIsCheckedOnLeaving) {
  Show(IDC_CONNECTION_LAN);
  EXPECT_EQ((Boxes{"1460", "44", "4", "256960"}), Equation());

  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "10");
  EXPECT_EQ("58400", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "007");
  EXPECT_EQ("7", wizard_.Text(IDC_RWIN_MULTIPLIER_BOX)) << "plain number";
  EXPECT_EQ("40880", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  wizard_.Leave(IDC_RWIN_MULTIPLIER_BOX);
  EXPECT_EQ("40880", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  EXPECT_TRUE(wizard_.messages.empty());

  // 1460 x 2147483647 x 4: far beyond 32 bits, shown whole.
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "2147483647");
  EXPECT_EQ("12541304498480", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  // 1460 x 735440 x 4 = 4294969600, which 32 bits would wrap to 2304, a
  // window in range: it is refused and the defaults come back.
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "735440");
  EXPECT_EQ("4294969600", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  wizard_.Leave(IDC_RWIN_MULTIPLIER_BOX);
  EXPECT_EQ(std::vector<std::string>{kRangeAlert}, wizard_.messages);
  EXPECT_EQ((Boxes{"1460", "44", "4", "256960"}), Equation());

  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "10");
  wizard_.Next();
  EXPECT_EQ(58400, wizard_.Record().NewRWIN);
  wizard_.Back();
  EXPECT_EQ("44", wizard_.Text(IDC_RWIN_MULTIPLIER_BOX)) << "starts over";
}

TEST_F(ReceiveWindowPage, AnEmptiedBoxAlertsWhenLeftAndIsPutRightSilentlyOnNext) {
  Show(IDC_CONNECTION_DSL);
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "");
  EXPECT_EQ("255552", wizard_.Text(IDC_RWIN_WINDOW_BOX)) << "kept while empty";
  wizard_.Leave(IDC_RWIN_MULTIPLIER_BOX);
  EXPECT_EQ(std::vector<std::string>{kRangeAlert}, wizard_.messages);
  EXPECT_EQ("44", wizard_.Text(IDC_RWIN_MULTIPLIER_BOX));

  // Out of range without leaving the box: Next puts the defaults back.
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "999999");
  wizard_.Next();
  EXPECT_EQ(kTtlPage, wizard_.Page());
  EXPECT_EQ(255552, wizard_.Record().NewRWIN);
  EXPECT_EQ(1u, wizard_.messages.size());
}

// The proposal for an MSS too large for the connection type's multiplier
// (what it is, tested natively) is what the page shows, puts back and keeps.
TEST_F(ReceiveWindowPage, AnMssNoMultiplierCanHoldTakesTheLargestWindow) {
  Show(IDC_CONNECTION_LAN, "2000000000");
  EXPECT_EQ((Boxes{"2000000000", "1", "4", "1073741823"}), Equation());
  EXPECT_EQ(">", wizard_.Text(IDC_RWIN_EQUALS)) << "the product is beyond it";
  // While typing, the box shows the product.
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "2");
  EXPECT_EQ("16000000000", wizard_.Text(IDC_RWIN_WINDOW_BOX));
  EXPECT_EQ("=", wizard_.Text(IDC_RWIN_EQUALS));
  wizard_.Leave(IDC_RWIN_MULTIPLIER_BOX);
  EXPECT_EQ(std::vector<std::string>{kRangeAlert}, wizard_.messages);
  EXPECT_EQ((Boxes{"2000000000", "1", "4", "1073741823"}), Equation());
  EXPECT_EQ(">", wizard_.Text(IDC_RWIN_EQUALS));
  // Next puts back this proposal, not the connection type's own.
  wizard_.Type(IDC_RWIN_MULTIPLIER_BOX, "2");
  wizard_.Next();
  EXPECT_EQ(1073741823, wizard_.Record().NewRWIN);
}

// A search on the MTU page that measured a round trip brings the line: the
// connection type's speed, the window that fills it, the window following
// a typed speed, which stays through Next and Back; a box left without a
// speed alerts and takes the type's again. Back on the MTU page, the MTU
// measured is still in its box.
TEST_F(ReceiveWindowPage, ARoundTripMeasuredBringsTheLineSpeedAndItsWindow) {
  MtuSearchResult found{kMtuFound, 1400, 14};
  found.fits = 1400;
  found.roundTripMs = 152;
  found.roundTripSize = 576;
  AnsweringProber prober(wizard_, found);
  wizard_.Open();
  CheckRadioButton(wizard_.PageWindow(), IDC_CONNECTION_DIAL_UP,
                   IDC_CONNECTION_LAN, IDC_CONNECTION_DSL);
  wizard_.Next();
  wizard_.Type(IDC_MTU_HOST, "ns.example");
  wizard_.Click(IDC_FIND_MTU);
  ASSERT_TRUE(wizard_.PumpUntil(
      [&] { return wizard_.Text(IDC_MTU_BOX) == "1400"; }));
  const std::string said = wizard_.Text(IDC_MTU_SEARCH_STATUS);
  ASSERT_TRUE(wizard_.NextTo(kReceiveWindowPage));

  for (int line : {IDC_RWIN_SPEED_LABEL, IDC_RWIN_SPEED_BOX, IDC_RWIN_ROUND_TRIP})
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(wizard_.PageWindow(), line)));
  EXPECT_EQ("Round trip measured towards ns.example: 152 ms.",
            wizard_.Text(IDC_RWIN_ROUND_TRIP));
  EXPECT_EQ("Line speed (kbit/s)", wizard_.Text(IDC_RWIN_SPEED_LABEL));
  // 1,536 kbit/s x 152 ms = 29,184 bytes, 22 segments of 1360 and two.
  EXPECT_EQ("1536", wizard_.Text(IDC_RWIN_SPEED_BOX));
  EXPECT_EQ((Boxes{"1360", "6", "4", "32640"}), Equation());
  EXPECT_EQ("Recommended RWIN size  :  32640 bytes.",
            wizard_.Text(IDC_RWIN_RECOMMENDED));

  // 95,000 bytes: 70 segments and two.
  wizard_.Type(IDC_RWIN_SPEED_BOX, "5000");
  EXPECT_EQ((Boxes{"1360", "18", "4", "97920"}), Equation());
  EXPECT_EQ("Recommended RWIN size  :  97920 bytes.",
            wizard_.Text(IDC_RWIN_RECOMMENDED));
  wizard_.Leave(IDC_RWIN_SPEED_BOX);
  wizard_.Next();
  EXPECT_EQ(97920, wizard_.Record().NewRWIN);
  wizard_.Back();
  EXPECT_EQ("5000", wizard_.Text(IDC_RWIN_SPEED_BOX)) << "kept on Back";
  EXPECT_EQ("18", wizard_.Text(IDC_RWIN_MULTIPLIER_BOX));
  EXPECT_TRUE(wizard_.messages.empty());

  wizard_.Type(IDC_RWIN_SPEED_BOX, "0");
  EXPECT_EQ("18", wizard_.Text(IDC_RWIN_MULTIPLIER_BOX)) << "while typed";
  wizard_.Leave(IDC_RWIN_SPEED_BOX);
  EXPECT_EQ(std::vector<std::string>{
                "Valid range of the line speed is from 1 to 10000000 kbit/s."},
            wizard_.messages);
  EXPECT_EQ("1536", wizard_.Text(IDC_RWIN_SPEED_BOX));
  EXPECT_EQ((Boxes{"1360", "6", "4", "32640"}), Equation());
  wizard_.Next();
  EXPECT_EQ(32640, wizard_.Record().NewRWIN);

  ASSERT_TRUE(wizard_.BackTo(kMtuPage));
  EXPECT_EQ("1400", wizard_.Text(IDC_MTU_BOX));
  EXPECT_EQ("1360", wizard_.Text(IDC_MSS_BOX));
  EXPECT_EQ(said, wizard_.Text(IDC_MTU_SEARCH_STATUS));
}

}  // namespace
}  // namespace velo
