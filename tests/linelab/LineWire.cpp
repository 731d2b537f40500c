// The line of the line lab: carries IP packets between two TUN devices, each
// in a network namespace of its own, as a slow line would. A packet waits
// for the line to be free, takes the time its bits need at the line's rate,
// then the line's one-way delay; a packet over the line's MTU, or one that
// finds the line's queue full, is dropped, and a share of the packets is
// lost on the way (a fixed seed, so that a run can be repeated).
//
// Usage: line_wire NEAR_NETNS NEAR_TUN FAR_NETNS FAR_TUN DOWN_BITS UP_BITS
//                  ROUND_TRIP_MS MTU [LOSS_PERCENT [QUEUE_BYTES]]
// "Down" is from the far device to the near one. The devices must exist
// (ip tuntap, without packet information); the line runs until SIGTERM or
// SIGINT and then prints what it carried.
#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "LineLabProgram.h"

namespace {

const int64_t kNanosPerSecond = 1000000000;

int64_t Now() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * kNanosPerSecond + now.tv_nsec;
}

volatile sig_atomic_t g_stop = 0;
void Stop(int) { g_stop = 1; }

[[noreturn]] void Fail(const std::string& what) {
  linelab::Fail("line_wire", what);
}

// Attaches to an existing TUN device of a network namespace.
int OpenTun(const std::string& netns, const std::string& name) {
  const std::string path = "/run/netns/" + netns;
  int ns = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (ns < 0) Fail("cannot open " + path);
  if (setns(ns, CLONE_NEWNET) != 0) Fail("cannot enter " + netns);
  close(ns);
  int tun = open("/dev/net/tun", O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (tun < 0) Fail("cannot open /dev/net/tun");
  ifreq request;
  std::memset(&request, 0, sizeof request);
  request.ifr_flags = IFF_TUN | IFF_NO_PI;
  std::snprintf(request.ifr_name, IFNAMSIZ, "%s", name.c_str());
  if (ioctl(tun, TUNSETIFF, &request) != 0)
    Fail("cannot attach to " + name + " in " + netns);
  return tun;
}

struct Packet {
  int64_t arrivesAt;
  std::vector<unsigned char> bytes;
};

struct Counts {
  uint64_t carried = 0, lost = 0, tooBig = 0, queueFull = 0;
};

// One direction of the line.
class Direction {
 public:
  Direction(int from, int to, int64_t bitsPerSecond, int64_t oneWayNanos)
      : from_(from),
        to_(to),
        bitsPerSecond_(bitsPerSecond),
        oneWayNanos_(oneWayNanos) {}

  // Reads every packet waiting at the sending end.
  void Take(size_t mtu, int64_t queueBytes, double loss, std::mt19937& random) {
    unsigned char buffer[65536];
    for (;;) {
      ssize_t size = read(from_, buffer, sizeof buffer);
      if (size < 0 && (errno == EAGAIN || errno == EINTR)) return;
      if (size < 0) Fail("cannot read a packet");
      Offer(buffer, static_cast<size_t>(size), mtu, queueBytes, loss, random);
    }
  }

  // Writes every packet whose time has come to the receiving end.
  void Deliver(int64_t now) {
    while (!onTheLine_.empty() && onTheLine_.front().arrivesAt <= now) {
      const std::vector<unsigned char>& bytes = onTheLine_.front().bytes;
      // A device that cannot take the packet drops it, as a full receiver
      // would.
      if (write(to_, bytes.data(), bytes.size()) < 0 && errno != EAGAIN &&
          errno != ENOBUFS)
        Fail("cannot write a packet");
      onTheLine_.pop_front();
    }
  }

  // When the next packet arrives, or -1 when none is on the line.
  int64_t NextArrival() const {
    return onTheLine_.empty() ? -1 : onTheLine_.front().arrivesAt;
  }

  const Counts& counts() const { return counts_; }

 private:
  void Offer(const unsigned char* bytes, size_t size, size_t mtu,
             int64_t queueBytes, double loss, std::mt19937& random) {
    if (size > mtu) {
      ++counts_.tooBig;
      return;
    }
    const int64_t now = Now();
    const int64_t start = lineFreeAt_ > now ? lineFreeAt_ : now;
    const int64_t waiting =
        (start - now) * bitsPerSecond_ / 8 / kNanosPerSecond;
    if (waiting + static_cast<int64_t>(size) > queueBytes) {
      ++counts_.queueFull;
      return;
    }
    lineFreeAt_ = start + static_cast<int64_t>(size) * 8 * kNanosPerSecond /
                              bitsPerSecond_;
    // A lost packet took its time on the line all the same.
    if (std::uniform_real_distribution<double>(0, 100)(random) < loss) {
      ++counts_.lost;
      return;
    }
    ++counts_.carried;
    onTheLine_.push_back({lineFreeAt_ + oneWayNanos_,
                          std::vector<unsigned char>(bytes, bytes + size)});
  }

  int from_, to_;
  int64_t bitsPerSecond_, oneWayNanos_;
  int64_t lineFreeAt_ = 0;
  std::deque<Packet> onTheLine_;
  Counts counts_;
};

long Number(const char* text, const char* what) {
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value <= 0) {
    std::fprintf(stderr, "line_wire: %s must be a positive number, not '%s'\n",
                 what, text);
    std::exit(2);
  }
  return value;
}

void Report(const char* name, const Counts& counts) {
  std::fprintf(stderr,
               "line_wire: %s: %llu carried, %llu lost, %llu over the MTU, "
               "%llu on a full queue\n",
               name, static_cast<unsigned long long>(counts.carried),
               static_cast<unsigned long long>(counts.lost),
               static_cast<unsigned long long>(counts.tooBig),
               static_cast<unsigned long long>(counts.queueFull));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 9 || argc > 11) {
    std::fprintf(stderr,
                 "usage: line_wire NEAR_NETNS NEAR_TUN FAR_NETNS FAR_TUN "
                 "DOWN_BITS UP_BITS ROUND_TRIP_MS MTU [LOSS_PERCENT "
                 "[QUEUE_BYTES]]\n");
    return 2;
  }
  const int64_t down = Number(argv[5], "the rate down");
  const int64_t up = Number(argv[6], "the rate up");
  const int64_t oneWay = Number(argv[7], "the round trip") * 1000000 / 2;
  const size_t mtu = static_cast<size_t>(Number(argv[8], "the MTU"));
  double loss = 0;
  if (argc > 9) {
    char* end = nullptr;
    loss = std::strtod(argv[9], &end);
    if (end == argv[9] || *end != '\0' || loss < 0 || loss > 100) {
      std::fprintf(stderr, "line_wire: the loss is a percentage, not '%s'\n",
                   argv[9]);
      return 2;
    }
  }
  // A modem's or router's buffer, by default: the packets a line holds
  // before it drops the next one.
  const int64_t queueBytes = argc > 10 ? Number(argv[10], "the queue") : 65536;

  const int nearTun = OpenTun(argv[1], argv[2]);
  const int farTun = OpenTun(argv[3], argv[4]);
  signal(SIGTERM, Stop);
  signal(SIGINT, Stop);

  Direction toFar(nearTun, farTun, up, oneWay);
  Direction toNear(farTun, nearTun, down, oneWay);
  std::mt19937 random(39);
  pollfd ends[2] = {{nearTun, POLLIN, 0}, {farTun, POLLIN, 0}};
  while (!g_stop) {
    int64_t next = -1;
    for (const Direction* direction : {&toFar, &toNear}) {
      const int64_t at = direction->NextArrival();
      if (at >= 0 && (next < 0 || at < next)) next = at;
    }
    // At most a tenth of a second, so that a stop that comes just before
    // the wait begins is seen.
    int64_t nanos = kNanosPerSecond / 10;
    if (next >= 0 && next - Now() < nanos)
      nanos = next > Now() ? next - Now() : 0;
    const timespec wait = {static_cast<time_t>(nanos / kNanosPerSecond),
                           static_cast<long>(nanos % kNanosPerSecond)};
    if (ppoll(ends, 2, &wait, nullptr) < 0 && errno != EINTR)
      Fail("cannot wait for packets");
    if (ends[0].revents & POLLIN) toFar.Take(mtu, queueBytes, loss, random);
    if (ends[1].revents & POLLIN) toNear.Take(mtu, queueBytes, loss, random);
    const int64_t now = Now();
    toFar.Deliver(now);
    toNear.Deliver(now);
  }
  Report("up", toFar.counts());
  Report("down", toNear.counts());
  return 0;
}
