#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MapTexts.h"
#include "wizard/MtuFinder.h"
#include "wizard/MtuFinderStatus.h"

namespace velo {
namespace {

// The step as the finder draws it, and the searches it is asked to run.
class StepStandIn : public MtuFinder::View {
 public:
  std::string host, status, mtuBox, mssBox;
  bool searching = false;
  bool threadStarts = true;
  std::vector<std::string> started;
  int stops = 0;

  std::string TypedHost() const override { return host; }
  void ShowHost(const std::string& text) override { host = text; }
  void ShowStatus(const std::string& text) override { status = text; }
  void ShowSearching(bool on) override { searching = on; }
  void ShowInBoxes(int32_t mtu, int32_t mss) override {
    mtuBox = std::to_string(mtu);
    mssBox = std::to_string(mss);
  }
  bool StartSearch(const std::string& towards) override {
    if (threadStarts) started.push_back(towards);
    return threadStarts;
  }
  void StopSearch() override { ++stops; }
};

class MtuFinderTest : public ::testing::Test {
 protected:
  MapTexts english;
  StepStandIn step;
  MeasuredRoundTrip trip;
  MtuFinder finder{english, step, trip};
};

TEST_F(MtuFinderTest, StartsTowardsTheTrimmedHostOrSaysWhyNot) {
  step.host = " \t ";
  finder.Press();
  EXPECT_TRUE(step.started.empty());
  EXPECT_EQ(MtuSearchOutcome(english, "", {kMtuHostUnknown, 0, 0}), step.status);

  step.host = "  ns.example\t";
  step.threadStarts = false;
  finder.Press();
  EXPECT_FALSE(step.searching);
  EXPECT_EQ(MtuSearchOutcome(english, "ns.example", {kMtuNoThread, 0, 0}),
            step.status);

  step.threadStarts = true;
  finder.Press();
  EXPECT_EQ(std::vector<std::string>{"ns.example"}, step.started);
  EXPECT_TRUE(step.searching);
  finder.Trying(1038);
  EXPECT_EQ(MtuSearchProgress(english, 1038), step.status);
  finder.Ended({kMtuFound, 1400, 11});
  EXPECT_FALSE(step.searching);
  EXPECT_EQ(1, step.stops);
  EXPECT_EQ("1400", step.mtuBox);
  EXPECT_EQ("1360", step.mssBox);
  EXPECT_EQ(MtuSearchOutcome(english, "ns.example", {kMtuFound, 1400, 11}),
            step.status);
}

TEST_F(MtuFinderTest, ThePressThatStopsAndLeavingTheStepEndTheSearchOnce) {
  step.host = "10.0.0.1";
  finder.Press();
  finder.Press();
  EXPECT_EQ(1, step.stops);
  EXPECT_FALSE(step.searching);
  EXPECT_EQ(MtuSearchOutcome(english, "10.0.0.1", {kMtuCancelled, 0, 0}),
            step.status);
  finder.Leave();
  EXPECT_EQ(1, step.stops) << "no search left to stop";
  finder.Press();
  finder.Leave();
  EXPECT_EQ(2, step.stops);
  EXPECT_EQ(2u, step.started.size());
  EXPECT_TRUE(step.mtuBox.empty()) << "a stopped search fills no box";
}

// The step starts anew from the type's recommendation on every visit; an
// MTU the search measured takes its place, with what the search said of
// it, until another search starts.
TEST_F(MtuFinderTest, AnMtuFoundStaysForTheNextVisitsUntilTheNextSearch) {
  step.host = "ns.example";
  finder.Press();
  finder.Ended({kMtuFound, 1436, 12});
  EXPECT_EQ(1436, finder.FoundMtu());
  step.status = "";
  finder.ShowIdle();
  EXPECT_EQ(MtuSearchOutcome(english, "ns.example", {kMtuFound, 1436, 12}),
            step.status);

  finder.Press();
  EXPECT_EQ(0, finder.FoundMtu()) << "a new search measures anew";
  finder.Ended({kMtuNoAnswer, 0, 6});
  EXPECT_EQ(0, finder.FoundMtu());
  finder.ShowIdle();
  EXPECT_EQ("", step.status);

  finder.Press();
  finder.Ended({kMtuFound, 1400, 11});
  finder.Press();
  finder.Press();
  EXPECT_EQ(0, finder.FoundMtu()) << "stopped";
}

TEST_F(MtuFinderTest, TheRouterOfTheOwnNetworkIsNotOfferedAndTheStatusSaysWhy) {
  finder.Offer({"192.168.1.1", true});
  EXPECT_EQ("", step.host);
  finder.ShowIdle();
  EXPECT_EQ(MtuSearchOutcome(english, "192.168.1.1", {kMtuOwnNetwork, 0, 0}),
            step.status);
  MtuFinder beyond(english, step, trip);
  beyond.Offer({"10.77.2.2", false});
  EXPECT_EQ("10.77.2.2", step.host);
  beyond.ShowIdle();
  EXPECT_EQ("", step.status);
}

// The receive window step fills the line over the round trip of the last
// search that ended, towards its host: a search started or stopped since
// leaves none, as does one whose echoes never came back.
TEST_F(MtuFinderTest, KeepsTheRoundTripOfTheLastSearchThatEnded) {
  MtuSearchResult echoed{kMtuPathStopped, 0, 9};
  echoed.roundTripMs = 152;
  echoed.roundTripSize = 576;
  step.host = "ns.example";
  finder.Press();
  finder.Ended(echoed);
  EXPECT_TRUE(trip.measured);
  EXPECT_EQ(152u, trip.ms);
  EXPECT_EQ("ns.example", trip.host);

  step.host = "10.0.0.1";
  finder.Press();
  EXPECT_FALSE(trip.measured) << "a new search measures anew";
  finder.Ended({kMtuNoAnswer, 0, 6});
  EXPECT_FALSE(trip.measured);

  finder.Press();
  finder.Press();
  EXPECT_FALSE(trip.measured) << "stopped";

  // Said as the status names a host: a long name by its first characters.
  EXPECT_EQ("Round trip measured towards resolver2.dialu...: 1999 ms.",
            RoundTripMeasured(english,
                              {true, 1999, "resolver2.dialup.provider.example"}));
}

}  // namespace
}  // namespace velo
