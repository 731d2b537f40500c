// The receive windows the line bench (bench/line-windows.sh) compares on a
// line, one per line of output as "WINDOW NAME": what 95/98/NT 4.0 and
// 2000/XP use when nobody has set one, what the wizard proposes for the
// connection type (the MSS x the multiplier x 4), and the window that fills
// the line, each within what Windows 98 and XP read.
//
// Usage: line_windows CONNECTION_TYPE KBITS ROUND_TRIP_MS MSS
#include <cstdio>
#include <cstdlib>

#include "app/WindowsVersion.h"
#include "tuning/LineWindow.h"
#include "tuning/ReceiveWindow.h"

namespace velo {
namespace {

// The window a stack offers when none is set: a fixed size rounded up to
// whole segments, 8,192 bytes on 95/98/NT 4.0 (8,760 at an MSS of 1,460),
// 16,384 on 2000/XP (17,520).
int32_t UnsetWindow(int32_t bytes, int32_t mss) {
  return (bytes + mss - 1) / mss * mss;
}

WindowsLimits LimitsOf(uint32_t platformId, uint32_t major, uint32_t minor) {
  VersionNumbers numbers;
  numbers.platformId = platformId;
  numbers.major = major;
  numbers.minor = minor;
  return CWindowsVersion(numbers).Limits(true);
}

int Print(int32_t type, int32_t kbits, int32_t roundTripMs, int32_t mss) {
  const struct {
    const char* name;
    WindowsLimits limits;
  } windows[] = {{"98", LimitsOf(1, 4, 10)}, {"XP", LimitsOf(2, 5, 1)}};
  std::printf("%d 95/98/NT4-unset\n", UnsetWindow(8192, mss));
  std::printf("%d 2000/XP-unset\n", UnsetWindow(16384, mss));
  for (const auto& each : windows) {
    const int32_t largest = each.limits.largestRecommendedReceiveWindow;
    std::printf("%d %s-multiplier\n",
                DefaultReceiveWindow(type, mss, largest).window, each.name);
    std::printf("%d %s-line\n",
                WindowForLine(kbits, roundTripMs, mss, largest).window,
                each.name);
  }
  return 0;
}

}  // namespace
}  // namespace velo

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr,
                 "usage: line_windows CONNECTION_TYPE KBITS ROUND_TRIP_MS "
                 "MSS\n");
    return 2;
  }
  const int32_t values[4] = {std::atoi(argv[1]), std::atoi(argv[2]),
                             std::atoi(argv[3]), std::atoi(argv[4])};
  if (values[0] < 0 || values[0] > 3 || values[1] < 1 || values[2] < 1 ||
      values[3] < 1) {
    std::fprintf(stderr, "line_windows: a type from 0 to 3 and positive "
                         "numbers, please\n");
    return 2;
  }
  return velo::Print(values[0], values[1], values[2], values[3]);
}
