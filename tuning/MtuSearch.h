// The search for the largest packet a path carries whole: pings that must
// not be fragmented, of sizes between the smallest MTU every IP path takes
// and the largest an Ethernet frame holds, halving the range each time.
#pragma once

#include <cstdint>
#include <functional>

namespace velo {

const int32_t kSmallestMtu = 576;
const int32_t kLargestMtu = 1500;

// What came back for one don't-fragment ping of a given size (the size of
// the whole IP packet).
enum ProbeAnswer {
  kProbeEchoed,    // the host answered: the packet went through whole
  kProbeTooBig,    // a router said "too big" or "needs fragmentation"
  kProbeNoAnswer,  // nothing came back in time, or any other failure
};

// Sends one probe and waits for its answer.
typedef std::function<ProbeAnswer(int32_t size)> MtuProbe;

enum MtuSearchEnd {
  kMtuFound,
  kMtuNoAnswer,      // not even the smallest size came back
  kMtuEveryAnswers,  // a size no path carries came back: DF is not kept
  kMtuCancelled,
  // Before any probe:
  kMtuCannotPing,   // this Windows has no way to send the pings
  kMtuHostUnknown,  // no host to ping, or its name is not known
};

struct MtuSearchResult {
  MtuSearchEnd end;
  int32_t mtu;     // when found
  int32_t probes;  // sent, retries included
};

// One search, a probe at a time, so that a caller can show each size and
// stop between two probes.
class MtuSearch {
 public:
  // The size to probe next; 0 once the search has ended.
  int32_t NextSize() const { return ended_ ? 0 : next_; }
  void Take(ProbeAnswer answer);
  bool Ended() const { return ended_; }
  MtuSearchResult Result() const { return {end_, fits_, probes_}; }

 private:
  void Fits(int32_t size);
  void TooBig(int32_t size);
  void End(MtuSearchEnd end);

  int32_t fits_ = 0;                 // the largest size known to go through
  int32_t tooBig_ = kLargestMtu + 1;  // the smallest size known not to
  int32_t next_ = kSmallestMtu;
  bool retried_ = false;
  bool ended_ = false;
  MtuSearchEnd end_ = kMtuFound;
  int32_t probes_ = 0;
};

// Runs a whole search. `goOn` hears each size before it is sent and stops
// the search by answering false.
MtuSearchResult FindMtu(const MtuProbe& probe,
                        const std::function<bool(int32_t size)>& goOn);

}  // namespace velo
