#include "tuning/MtuSearch.h"

#include <algorithm>

namespace velo {

MtuSearch::MtuSearch(int32_t ceiling)
    : result_{kMtuFound, 0, 0},
      tooBig_(ceiling + 2),  // the size above the ceiling is still to try
      next_(std::min(kFirstProbeSize, ceiling)) {
  result_.ceiling = ceiling;
}

uint32_t MtuSearch::NextWaitMs() const {
  if (result_.roundTripSize == 0) return kFirstWaitMs;
  // A line's round trip grows with the size it carries.
  const uint64_t scaled = 2ull * result_.roundTripMs * uint64_t(next_) /
                          uint64_t(result_.roundTripSize);
  return static_cast<uint32_t>(std::min<uint64_t>(
      std::max<uint64_t>(scaled, kShortestWaitMs), kLongestWaitMs));
}

void MtuSearch::Take(const ProbeReply& reply) {
  if (ended_) return;
  ++result_.probes;
  result_.tookMs += reply.tookMs;
  if (roundTripSends_ > 0) {
    TakeRoundTrip(reply);
  } else if (reply.answer == kProbeNoAnswer) {
    Silent();
  } else if (reply.answer == kProbeEchoed || reply.answer == kProbeTooBig) {
    silentTries_ = 0;
    // A size known to fit came back after one that went silent: that one
    // was too big, not the path gone quiet.
    if (silentSize_ && reply.answer == kProbeEchoed) TooBig(silentSize_);
    silentSize_ = 0;
    if (reply.answer == kProbeEchoed)
      Fits(next_, reply.tookMs);
    else
      TooBig(next_);
    Halve();
  } else {
    result_.stoppedBy = reply.answer;
    End(kMtuPathStopped);
  }
  if (!ended_ && (result_.probes >= kMostProbes ||
                  result_.tookMs >= kLongestSearchMs))
    End(kMtuTooLong);
}

void MtuSearch::TakeRoundTrip(const ProbeReply& reply) {
  --roundTripSends_;
  if (reply.answer == kProbeEchoed) {
    echoes_[echoCount_++] = reply.tookMs;
  } else if (reply.answer == kProbeTooBig) {
    return TooBig(next_);  // where it came back before: the path changed
  } else if (reply.answer != kProbeNoAnswer) {
    result_.stoppedBy = reply.answer;
    return End(kMtuPathStopped);
  }
  // A lost echo is only one sample fewer: whether the path still answers
  // is for the search's own sizes to show.
  if (roundTripSends_ > 0) return;
  uint32_t sorted[kRoundTripEchoes];
  std::copy(echoes_, echoes_ + echoCount_, sorted);
  std::sort(sorted, sorted + echoCount_);
  result_.roundTripMs = echoCount_ % 2
                            ? sorted[echoCount_ / 2]
                            : (sorted[echoCount_ / 2 - 1] +
                               sorted[echoCount_ / 2]) / 2;
  Halve();
}

void MtuSearch::Silent() {
  // One or two lost pings are no proof: a busy line drops a packet now and
  // then.
  if (++silentTries_ < kTriesOfSilence) return;
  silentTries_ = 0;
  if (silentSize_ || next_ == kSmallestMtu) {
    // What is known to fit, or the smallest size, is silent too.
    return End(result_.fits ? kMtuPathStopped : kMtuNoAnswer);
  }
  silentSize_ = next_;
  next_ = result_.fits ? result_.fits : kSmallestMtu;
}

void MtuSearch::Fits(int32_t size, uint32_t tookMs) {
  // A size above this computer's own MTU came back: it was fragmented on
  // the way, so the path keeps no don't-fragment flag.
  if (size > result_.ceiling) return End(kMtuEveryAnswers);
  result_.fits = std::max(result_.fits, size);
  if (result_.roundTripSize == 0) {
    // Until the median is known, the first echo sets the waits.
    result_.roundTripMs = tookMs;
    result_.roundTripSize = size;
    echoes_[echoCount_++] = tookMs;
    roundTripSends_ = kRoundTripEchoes - 1;
  }
}

void MtuSearch::TooBig(int32_t size) {
  // Too big where a size as large came back before: the path changed.
  if (size <= result_.fits) {
    result_.stoppedBy = kProbeTooBig;
    return End(kMtuPathStopped);
  }
  tooBig_ = std::min(tooBig_, size);
}

void MtuSearch::Halve() {
  if (ended_ || roundTripSends_ > 0) return;
  const int32_t fits = result_.fits ? result_.fits : kSmallestMtu - 1;
  if (tooBig_ - fits > 1)
    next_ = fits + (tooBig_ - fits) / 2;
  else
    End(result_.fits ? kMtuFound : kMtuNoAnswer);
}

void MtuSearch::End(MtuSearchEnd end) {
  ended_ = true;
  result_.end = end;
  result_.mtu = end == kMtuFound ? result_.fits : 0;
}

bool CappedByOwnMtu(const MtuSearchResult& result) {
  return result.end == kMtuFound && result.mtu == result.ceiling &&
         result.ceiling < kEthernetMtu;
}

MtuSearchResult FindMtu(const MtuProbe& probe, int32_t ceiling,
                        const std::function<bool(int32_t size)>& goOn) {
  MtuSearch search(ceiling);
  while (!search.Ended()) {
    const int32_t size = search.NextSize();
    if (!goOn(size)) {
      MtuSearchResult cancelled = search.Result();
      cancelled.end = kMtuCancelled;
      return cancelled;
    }
    search.Take(probe(size, search.NextWaitMs()));
  }
  return search.Result();
}

}  // namespace velo
