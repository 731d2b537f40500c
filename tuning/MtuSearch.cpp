#include "tuning/MtuSearch.h"

namespace velo {

void MtuSearch::Take(ProbeAnswer answer) {
  if (ended_) return;
  ++probes_;
  // One lost ping is no proof: a busy line drops a packet now and then.
  if (answer == kProbeNoAnswer && !retried_) {
    retried_ = true;
    return;
  }
  retried_ = false;
  if (answer == kProbeEchoed)
    Fits(next_);
  else
    TooBig(next_);
}

void MtuSearch::Fits(int32_t size) {
  // A size above any Ethernet frame that still comes back was fragmented on
  // the way: the path keeps no don't-fragment flag, so it cannot be measured.
  if (size > kLargestMtu) return End(kMtuEveryAnswers);
  fits_ = size;
  if (tooBig_ - fits_ > 1) {
    next_ = fits_ + (tooBig_ - fits_) / 2;
  } else if (fits_ == kLargestMtu) {
    next_ = kLargestMtu + 1;  // the check that the flag was kept
  } else {
    End(kMtuFound);
  }
}

void MtuSearch::TooBig(int32_t size) {
  if (size == kSmallestMtu) return End(kMtuNoAnswer);
  if (size > kLargestMtu) return End(kMtuFound);
  tooBig_ = size;
  if (tooBig_ - fits_ > 1)
    next_ = fits_ + (tooBig_ - fits_) / 2;
  else
    End(kMtuFound);
}

void MtuSearch::End(MtuSearchEnd end) {
  ended_ = true;
  end_ = end;
}

MtuSearchResult FindMtu(const MtuProbe& probe,
                        const std::function<bool(int32_t size)>& goOn) {
  MtuSearch search;
  while (!search.Ended()) {
    const int32_t size = search.NextSize();
    if (!goOn(size)) return {kMtuCancelled, 0, search.Result().probes};
    search.Take(probe(size));
  }
  return search.Result();
}

}  // namespace velo
