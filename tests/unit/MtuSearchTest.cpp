#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tuning/MtuSearch.h"

namespace velo {
namespace {

// What a path does with a don't-fragment ping over its MTU.
enum OverTheMtu {
  kSaysTooBig,   // a router answers "too big"
  kVanishes,     // a black hole: no answer at all
  kTooBigOnce,   // "too big" once, then the black hole
  kFragmented,   // the flag is not kept: fragmented and echoed
};

// A path as a don't-fragment ping sees it, probe after probe (numbered
// from 1).
struct FakePath {
  const char* name;
  int32_t mtu;
  int32_t ceiling;  // this computer's own MTU
  OverTheMtu over;
  std::vector<int> lost;  // probes lost on the way
  int loseEvery;          // every n-th probe is lost too; 0: none
  int silentFrom;         // from this probe on nothing answers; 0: never
  ProbeAnswer hardAnswer;
  int hardFrom;  // from this probe on, `hardAnswer` comes back; 0: never
  MtuSearchEnd end;
  int32_t found;
  int32_t mostProbes;
};

const uint32_t kLanRoundTripMs = 1;

class PathUnderTest {
 public:
  explicit PathUnderTest(const FakePath& path) : path_(path) {}

  ProbeReply Send(int32_t size, uint32_t waitMs) {
    sent_.push_back(size);
    const ProbeAnswer answer = Answer(size, static_cast<int>(sent_.size()));
    return {answer, answer == kProbeNoAnswer ? waitMs : kLanRoundTripMs};
  }
  const std::vector<int32_t>& Sent() const { return sent_; }

 private:
  ProbeAnswer Answer(int32_t size, int n) {
    if (path_.silentFrom && n >= path_.silentFrom) return kProbeNoAnswer;
    if (path_.hardFrom && n >= path_.hardFrom) return path_.hardAnswer;
    if (std::count(path_.lost.begin(), path_.lost.end(), n) ||
        (path_.loseEvery && n % path_.loseEvery == 0))
      return kProbeNoAnswer;
    // This computer's own stack fragments or refuses what its adapter
    // cannot carry whole.
    if (size > path_.ceiling)
      return path_.over == kFragmented ? kProbeEchoed : kProbeTooBig;
    if (size <= path_.mtu || path_.over == kFragmented) return kProbeEchoed;
    if (path_.over == kVanishes || (path_.over == kTooBigOnce && saidTooBig_))
      return kProbeNoAnswer;
    saidTooBig_ = true;
    return kProbeTooBig;
  }

  const FakePath path_;
  std::vector<int32_t> sent_;
  bool saidTooBig_ = false;
};

const ProbeAnswer kNone = kProbeEchoed;

const FakePath kPaths[] = {
    // name, mtu, ceiling, over the MTU, lost, lose every, silent from,
    // hard answer, from; end, found, most probes
    {"clean Ethernet", 1500, 1500, kSaysTooBig, {}, 0, 0, kNone, 0,
     kMtuFound, 1500, 13},
    {"PPPoE", 1492, 1500, kSaysTooBig, {}, 0, 0, kNone, 0, kMtuFound, 1492,
     13},
    {"tunnel", 1400, 1500, kSaysTooBig, {}, 0, 0, kNone, 0, kMtuFound, 1400,
     12},
    {"smallest that every host takes", 576, 1500, kSaysTooBig, {}, 0, 0,
     kNone, 0, kMtuFound, 576, 12},
    {"below 576", 296, 1500, kSaysTooBig, {}, 0, 0, kNone, 0, kMtuFound, 296,
     12},
    {"below 576, a black hole above", 296, 1500, kVanishes, {}, 0, 0, kNone,
     0, kMtuFound, 296, 28},
    {"Token Ring all the way", 4464, 4464, kSaysTooBig, {}, 0, 0, kNone, 0,
     kMtuFound, 4464, 15},
    {"Token Ring to an Ethernet path", 1500, 4464, kSaysTooBig, {}, 0, 0,
     kNone, 0, kMtuFound, 1500, 15},
    {"this computer's own MTU is lower", 1500, 1400, kSaysTooBig, {}, 0, 0,
     kNone, 0, kMtuFound, 1400, 13},
    {"black hole", 1492, 1500, kVanishes, {}, 0, 0, kNone, 0, kMtuFound, 1492,
     20},
    {"too big once, then fragments dropped", 1400, 1500, kTooBigOnce, {}, 0,
     0, kNone, 0, kMtuFound, 1400, 24},
    {"host blocks ICMP", 1500, 1500, kSaysTooBig, {}, 0, 1, kNone, 0,
     kMtuNoAnswer, 0, 6},
    {"lossy", 1492, 1500, kSaysTooBig, {}, 3, 0, kNone, 0, kMtuFound, 1492,
     20},
    {"two losses in a row at a size that fits", 1492, 1500, kSaysTooBig,
     {4, 5}, 0, 0, kNone, 0, kMtuFound, 1492, 15},
    {"loss, then too big, then two losses at a size that fits", 1492, 1500,
     kSaysTooBig, {10, 12, 13}, 0, 0, kNone, 0, kMtuFound, 1492, 16},
    {"silence at the flag's check, then an answer", 1500, 1500, kSaysTooBig,
     {13, 14, 15}, 0, 0, kNone, 0, kMtuFound, 1500, 16},
    {"silent from the flag's check on", 1500, 1500, kSaysTooBig, {}, 0, 13,
     kNone, 0, kMtuPathStopped, 0, 18},
    {"host unreachable after three probes", 1436, 1500, kSaysTooBig, {}, 0, 0,
     kProbeUnreachable, 4, kMtuPathStopped, 0, 4},
    {"TTL expires", 1500, 1500, kSaysTooBig, {}, 0, 0, kProbeTtlExpired, 1,
     kMtuPathStopped, 0, 1},
    {"the stack has no resources", 1500, 1500, kSaysTooBig, {}, 0, 0,
     kProbeNoResources, 2, kMtuPathStopped, 0, 2},
    {"a general failure", 1500, 1500, kSaysTooBig, {}, 0, 0, kProbeFailed, 6,
     kMtuPathStopped, 0, 6},
    {"DF ignored", 1400, 1500, kFragmented, {}, 0, 0, kNone, 0,
     kMtuEveryAnswers, 0, 13},
};

MtuSearchResult Search(PathUnderTest& path, int32_t ceiling,
                       std::vector<int32_t>* told) {
  return FindMtu(
      [&](int32_t size, uint32_t waitMs) { return path.Send(size, waitMs); },
      ceiling,
      [&](int32_t size) {
        told->push_back(size);
        return true;
      });
}

TEST(MtuSearch, FindsWhatEachPathCarriesWithFewProbes) {
  for (const FakePath& row : kPaths) {
    SCOPED_TRACE(row.name);
    PathUnderTest path(row);
    std::vector<int32_t> told;
    const MtuSearchResult result = Search(path, row.ceiling, &told);
    EXPECT_EQ(row.end, result.end);
    EXPECT_EQ(row.found, result.mtu);
    if (row.hardFrom) EXPECT_EQ(row.hardAnswer, result.stoppedBy);
    EXPECT_EQ(static_cast<int32_t>(path.Sent().size()), result.probes);
    EXPECT_LE(result.probes, row.mostProbes);
    // A black hole on a LAN's round trip, lost probes and all.
    if (row.end == kMtuFound) EXPECT_LE(result.tookMs, 20000u);
    // Every size sent was shown first, and none lies outside the range but
    // the one check above it.
    EXPECT_EQ(path.Sent(), told);
    for (int32_t size : told) {
      EXPECT_GE(size, kSmallestMtu);
      EXPECT_LE(size, row.ceiling + 1);
    }
  }
}

// However far a search got, a path that stops answering (silent, or
// saying the host cannot be reached) ends it without a number, or the
// number it had already measured: never a smaller one.
TEST(MtuSearch, APathThatStopsAnsweringAfterAnyProbeGivesNoOtherNumber) {
  for (const OverTheMtu over : {kSaysTooBig, kVanishes, kTooBigOnce}) {
    for (const ProbeAnswer stop : {kProbeNoAnswer, kProbeUnreachable}) {
      for (int k = 1; k <= 40; ++k) {
        const std::string trace = "over " + std::to_string(over) + ", " +
                                  std::to_string(stop) + " from probe " +
                                  std::to_string(k);
        SCOPED_TRACE(trace);
        FakePath row = {"", 1436, 1500, over, {}, 0, 0, kNone, 0,
                        kMtuFound, 1436, 0};
        (stop == kProbeNoAnswer ? row.silentFrom : row.hardFrom) = k;
        row.hardAnswer = stop;
        PathUnderTest path(row);
        std::vector<int32_t> told;
        const MtuSearchResult result = Search(path, 1500, &told);
        if (result.end == kMtuFound) {
          EXPECT_EQ(1436, result.mtu);
          EXPECT_LT(result.probes, k) << "found only on answers";
        } else {
          EXPECT_EQ(k == 1 && stop == kProbeNoAnswer ? kMtuNoAnswer
                                                     : kMtuPathStopped,
                    result.end);
          EXPECT_EQ(0, result.mtu);
          EXPECT_EQ(stop, result.stoppedBy);
        }
      }
    }
  }
}

// The first size's echoes that the round trip is measured on.
void EchoFirstSize(MtuSearch& search, uint32_t tookMs) {
  const int32_t first = search.NextSize();
  for (int i = 0; i < kRoundTripEchoes; ++i) {
    ASSERT_EQ(first, search.NextSize());
    search.Take({kProbeEchoed, tookMs});
  }
}

TEST(MtuSearch, ASilentSizeIsSentThreeTimesThenCheckedAgainstOneThatFits) {
  MtuSearch search;
  EXPECT_EQ(576, search.NextSize());
  EchoFirstSize(search, 10);
  const int32_t size = search.NextSize();
  // Lost twice: the same size a third time, which answers.
  search.Take({kProbeNoAnswer, 500});
  search.Take({kProbeNoAnswer, 500});
  EXPECT_EQ(size, search.NextSize());
  search.Take({kProbeEchoed, 10});
  EXPECT_GT(search.NextSize(), size);
  // Silent three times: the size that fits is sent again, and only its
  // answer makes the silent one too big.
  const int32_t larger = search.NextSize();
  for (int i = 0; i < 3; ++i) search.Take({kProbeNoAnswer, 500});
  EXPECT_EQ(size, search.NextSize());
  search.Take({kProbeEchoed, 10});
  EXPECT_GT(search.NextSize(), size);
  EXPECT_LT(search.NextSize(), larger);
  EXPECT_FALSE(search.Ended());
  EXPECT_EQ(size, search.Result().fits);
}

// The round trip is the median of the first size's echoes: a first echo
// that waited for an address to be resolved, or one lost, does not set it.
TEST(MtuSearch, TheRoundTripIsTheMedianOfTheFirstSizesEchoes) {
  const uint32_t kLost = 0;
  const struct {
    const char* line;
    uint32_t echoes[kRoundTripEchoes];  // kLost: no answer
    uint32_t roundTrip;
    uint32_t waitAt1039;  // twice the round trip, scaled, within bounds
  } rows[] = {
      {"a LAN", {1, 1, 1}, 1, kShortestWaitMs},
      {"28.8 kbit/s", {400, 400, 400}, 400, 1443},  // 2 * 400 * 1039 / 576
      {"the first echo waited", {1900, 400, 410}, 410, 1479},
      {"one echo lost", {400, kLost, 420}, 410, 1479},
      {"slower than any line this is for", {1500, 1500, 1500}, 1500,
       kLongestWaitMs},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.line);
    MtuSearch search;
    EXPECT_EQ(kFirstWaitMs, search.NextWaitMs()) << "nothing measured yet";
    for (uint32_t echo : row.echoes) {
      ASSERT_EQ(576, search.NextSize());
      search.Take({echo == kLost ? kProbeNoAnswer : kProbeEchoed,
                   echo == kLost ? search.NextWaitMs() : echo});
      if (search.NextSize() == 576)  // until the median is in, the first echo
        EXPECT_EQ(std::max(kShortestWaitMs,
                           std::min(2 * row.echoes[0], kLongestWaitMs)),
                  search.NextWaitMs());
    }
    ASSERT_EQ(1039, search.NextSize());
    EXPECT_EQ(row.waitAt1039, search.NextWaitMs());
    EXPECT_EQ(row.roundTrip, search.Result().roundTripMs);
    EXPECT_EQ(576, search.Result().roundTripSize);
  }
}

TEST(MtuSearch, IsBoundedInProbesAndInTimeAndSaysHowFarItGot) {
  // Each size lost twice before it answers, on a line as slow as the
  // longest wait: the time runs out.
  MtuSearch slow;
  EchoFirstSize(slow, kLongestWaitMs);
  while (!slow.Ended()) {
    slow.Take({kProbeNoAnswer, kLongestWaitMs});
    slow.Take({kProbeNoAnswer, kLongestWaitMs});
    slow.Take({kProbeEchoed, kLongestWaitMs});
  }
  EXPECT_EQ(kMtuTooLong, slow.Result().end);
  EXPECT_EQ(0, slow.Result().mtu);
  EXPECT_GT(slow.Result().fits, 576);
  EXPECT_GE(slow.Result().tookMs, kLongestSearchMs);

  // Each size silent, and what fits lost twice before it answers, up to
  // the largest adapter's MTU: the probes run out.
  MtuSearch lossy(17914);
  EchoFirstSize(lossy, 1);
  while (!lossy.Ended()) {
    for (int i = 0; i < 5 && !lossy.Ended(); ++i)
      lossy.Take({kProbeNoAnswer, 1});
    lossy.Take({kProbeEchoed, 1});
  }
  EXPECT_EQ(kMtuTooLong, lossy.Result().end);
  EXPECT_EQ(kMostProbes, lossy.Result().probes);
  EXPECT_EQ(576, lossy.Result().fits);
}

TEST(MtuSearch, StopsWhenNothingComesBackOrWhenCancelled) {
  // Silent at 576 and at the smallest size: the host does not answer.
  MtuSearch silent;
  for (int i = 0; i < 3; ++i) silent.Take({kProbeNoAnswer, 1});
  EXPECT_EQ(kSmallestMtu, silent.NextSize());
  for (int i = 0; i < 3; ++i) silent.Take({kProbeNoAnswer, 1});
  EXPECT_TRUE(silent.Ended());
  EXPECT_EQ(0, silent.NextSize());
  EXPECT_EQ(kMtuNoAnswer, silent.Result().end);

  int sent = 0;
  const MtuSearchResult cancelled = FindMtu(
      [&](int32_t, uint32_t) {
        ++sent;
        return ProbeReply{kProbeEchoed, 1};
      },
      kEthernetMtu, [&](int32_t) { return sent < 3; });
  EXPECT_EQ(kMtuCancelled, cancelled.end);
  EXPECT_EQ(0, cancelled.mtu);
  EXPECT_EQ(3, sent);
  EXPECT_EQ(3, cancelled.probes);
}

}  // namespace
}  // namespace velo
