// The search for the largest packet a path carries whole: pings that must
// not be fragmented, of sizes between the smallest MTU every IP path takes
// and this computer's own MTU towards the host, halving the range each time.
// A size is taken as too big only on a router's word, or on silence that a
// size known to fit, sent right after, proves is not the path gone quiet.
#pragma once

#include <cstdint>
#include <functional>

namespace velo {

const int32_t kSmallestMtu = 68;  // every IP path carries it
const int32_t kEthernetMtu = 1500;
// The first size tried: every host takes it whole, and most paths carry it.
const int32_t kFirstProbeSize = 576;
// The whole search, however it goes.
const int32_t kMostProbes = 60;
const uint32_t kLongestSearchMs = 120000;
// How long a probe waits for its answer: twice the round trip measured at
// the first size that came back, scaled to the size sent, within these.
const uint32_t kShortestWaitMs = 500;
const uint32_t kLongestWaitMs = 4000;
// The first size, before any round trip is known: a 576-byte echo and its
// reply take under 0.7 s on the wire even at 14.4 kbit/s.
const uint32_t kFirstWaitMs = 2000;
// A size that gets no answer is sent this many times in all.
const int32_t kTriesOfSilence = 3;
// The first size that comes back is sent this many times in all: the round
// trip is the median of its echoes, not one echo that may have waited for
// an address to be resolved or a line to wake.
const int32_t kRoundTripEchoes = 3;

// What came back for one don't-fragment ping of a given size (the size of
// the whole IP packet).
enum ProbeAnswer {
  kProbeEchoed,    // the host answered: the packet went through whole
  kProbeTooBig,    // a router said "too big" or "needs fragmentation"
  kProbeNoAnswer,  // nothing came back in time
  // The path stopped answering: each ends the search at once.
  kProbeUnreachable,  // destination host, network, protocol or port
  kProbeTtlExpired,
  kProbeNoResources,
  kProbeFailed,  // a general failure, or the sockets refused the ping
};

struct ProbeReply {
  ProbeAnswer answer;
  uint32_t tookMs;  // from sending to the answer, or the whole wait
};

// Sends one probe of `size` and waits up to `waitMs` for its answer.
typedef std::function<ProbeReply(int32_t size, uint32_t waitMs)> MtuProbe;

enum MtuSearchEnd {
  kMtuFound,
  kMtuNoAnswer,      // not even the smallest size came back
  kMtuEveryAnswers,  // a size above this computer's own MTU came back: DF
                     // is not kept
  kMtuPathStopped,   // a hard error, or silence where a size had fitted
  kMtuTooLong,       // the bound on probes or time was reached
  kMtuCancelled,
  // Before any probe:
  kMtuCannotPing,   // this Windows has no way to send the pings
  kMtuHostUnknown,  // no host to ping, or its name is not known
  kMtuNoThread,     // no thread could be started for the search
  kMtuOwnNetwork,   // the default host is on this side of the line
};

struct MtuSearchResult {
  MtuSearchEnd end;
  int32_t mtu;     // when found
  int32_t probes;  // sent, retries included
  // How far it got: the largest size that came back, 0 when none did.
  int32_t fits = 0;
  // kMtuPathStopped: the answer that ended it (silence: kProbeNoAnswer).
  ProbeAnswer stoppedBy = kProbeNoAnswer;
  // This computer's own MTU towards the host: no larger size was tried
  // but the one that checks the flag.
  int32_t ceiling = kEthernetMtu;
  // The round trip at the first size that came back (the median of its
  // echoes), and that size; 0 when none did.
  uint32_t roundTripMs = 0;
  int32_t roundTripSize = 0;
  uint32_t tookMs = 0;  // all probes together
};

// One search, a probe at a time, so that a caller can show each size and
// stop between two probes.
class MtuSearch {
 public:
  // `ceiling`: this computer's own MTU towards the host.
  explicit MtuSearch(int32_t ceiling = kEthernetMtu);

  // The size to probe next; 0 once the search has ended.
  int32_t NextSize() const { return ended_ ? 0 : next_; }
  // How long that probe may wait for its answer.
  uint32_t NextWaitMs() const;
  void Take(const ProbeReply& reply);
  bool Ended() const { return ended_; }
  MtuSearchResult Result() const { return result_; }

 private:
  void Fits(int32_t size, uint32_t tookMs);
  // One more send of the first size that came back, for the round trip.
  void TakeRoundTrip(const ProbeReply& reply);
  void TooBig(int32_t size);
  void Silent();
  // The next size between what fits and what does not, or the end.
  void Halve();
  void End(MtuSearchEnd end);

  MtuSearchResult result_;
  int32_t tooBig_;  // the smallest size known not to go through
  int32_t next_;
  int32_t silentTries_ = 0;
  // The size that went silent and waits for a size known to fit to come
  // back before it counts as too big; 0 when none.
  int32_t silentSize_ = 0;
  // The round trips of the first size that came back, and how many sends
  // of it are still to come.
  uint32_t echoes_[kRoundTripEchoes] = {};
  int32_t echoCount_ = 0;
  int32_t roundTripSends_ = 0;
  bool ended_ = false;
};

// A found MTU that is this computer's own, below Ethernet's: the search
// could try no larger size, so the computer's own setting may be what
// stopped it, not the path.
bool CappedByOwnMtu(const MtuSearchResult& result);

// Runs a whole search. `goOn` hears each size before it is sent and stops
// the search by answering false.
MtuSearchResult FindMtu(const MtuProbe& probe, int32_t ceiling,
                        const std::function<bool(int32_t size)>& goOn);

}  // namespace velo
