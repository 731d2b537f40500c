#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tuning/MtuSearch.h"

namespace velo {
namespace {

// A path as a don't-fragment ping sees it.
struct FakePath {
  const char* name;
  int32_t mtu;
  bool answersPings;
  bool saysTooBig;     // else a packet over the MTU vanishes (a black hole)
  bool keepsDf;        // else a packet over the MTU is fragmented and echoed
  int32_t loseEvery;   // every n-th ping is lost on the way; 0: none
  bool tooBigOnce;     // says "too big" once, then drops what is over
  MtuSearchEnd end;
  int32_t found;
  int32_t mostProbes;
};

class PathUnderTest {
 public:
  explicit PathUnderTest(const FakePath& path) : path_(path) {}

  ProbeAnswer Send(int32_t size) {
    sent_.push_back(size);
    if (!path_.answersPings) return kProbeNoAnswer;
    if (path_.loseEvery && sent_.size() % path_.loseEvery == 0)
      return kProbeNoAnswer;
    if (size <= path_.mtu || !path_.keepsDf) return kProbeEchoed;
    if (!path_.saysTooBig) return kProbeNoAnswer;
    if (path_.tooBigOnce && saidTooBig_) return kProbeNoAnswer;
    saidTooBig_ = true;
    return kProbeTooBig;
  }
  const std::vector<int32_t>& Sent() const { return sent_; }

 private:
  const FakePath path_;
  std::vector<int32_t> sent_;
  bool saidTooBig_ = false;
};

const FakePath kPaths[] = {
    // name, mtu, answers, too big, DF, lose, once, end, found, most probes
    {"clean Ethernet", 1500, true, true, true, 0, false, kMtuFound, 1500, 12},
    {"PPPoE", 1492, true, true, true, 0, false, kMtuFound, 1492, 11},
    {"tunnel", 1400, true, true, true, 0, false, kMtuFound, 1400, 11},
    {"smallest MTU", 576, true, true, true, 0, false, kMtuFound, 576, 10},
    {"black hole", 1492, true, false, true, 0, false, kMtuFound, 1492, 12},
    {"too big once, then fragments dropped", 1400, true, true, true, 0, true,
     kMtuFound, 1400, 15},
    {"host blocks ICMP", 1500, false, true, true, 0, false, kMtuNoAnswer, 0,
     2},
    {"lossy", 1492, true, true, true, 3, false, kMtuFound, 1492, 16},
    {"DF ignored", 1400, true, true, false, 0, false, kMtuEveryAnswers, 0, 12},
};

TEST(MtuSearch, FindsWhatEachPathCarriesWithFewProbes) {
  for (const FakePath& row : kPaths) {
    SCOPED_TRACE(row.name);
    PathUnderTest path(row);
    std::vector<int32_t> told;
    const MtuSearchResult result = FindMtu(
        [&](int32_t size) { return path.Send(size); },
        [&](int32_t size) {
          told.push_back(size);
          return true;
        });
    EXPECT_EQ(row.end, result.end);
    if (row.end == kMtuFound) EXPECT_EQ(row.found, result.mtu);
    EXPECT_EQ(static_cast<int32_t>(path.Sent().size()), result.probes);
    EXPECT_LE(result.probes, row.mostProbes);
    // Every size sent was shown first, and none lies outside the range but
    // the one check above it.
    EXPECT_EQ(path.Sent(), told);
    for (int32_t size : told) {
      EXPECT_GE(size, kSmallestMtu);
      EXPECT_LE(size, kLargestMtu + 1);
    }
  }
}

TEST(MtuSearch, ALostProbeIsSentOnceMoreBeforeItCountsAsTooBig) {
  // Lost once: the second try answers and the size counts as carried.
  MtuSearch search;
  search.Take(kProbeEchoed);  // 576
  const int32_t size = search.NextSize();
  search.Take(kProbeNoAnswer);
  EXPECT_EQ(size, search.NextSize());
  search.Take(kProbeEchoed);
  EXPECT_GT(search.NextSize(), size);
  // Lost twice: too big, and the next size is smaller.
  const int32_t larger = search.NextSize();
  search.Take(kProbeNoAnswer);
  search.Take(kProbeNoAnswer);
  EXPECT_GT(search.NextSize(), size);
  EXPECT_LT(search.NextSize(), larger);
  EXPECT_FALSE(search.Ended());
}

TEST(MtuSearch, StopsWhenTheSmallestSizeGetsNoAnswerOrWhenCancelled) {
  MtuSearch search;
  EXPECT_EQ(kSmallestMtu, search.NextSize());
  search.Take(kProbeNoAnswer);
  search.Take(kProbeNoAnswer);
  EXPECT_TRUE(search.Ended());
  EXPECT_EQ(0, search.NextSize());
  EXPECT_EQ(kMtuNoAnswer, search.Result().end);

  int sent = 0;
  const MtuSearchResult cancelled = FindMtu(
      [&](int32_t) {
        ++sent;
        return kProbeEchoed;
      },
      [&](int32_t) { return sent < 3; });
  EXPECT_EQ(kMtuCancelled, cancelled.end);
  EXPECT_EQ(3, sent);
  EXPECT_EQ(3, cancelled.probes);
}

}  // namespace
}  // namespace velo
