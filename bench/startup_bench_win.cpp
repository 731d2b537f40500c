// Start-up cost of Velocine.exe beside two floors built the same way: the
// smallest dialog program, and a program that loads what Velocine must load
// and shows Velocine's window with no code behind it. Measures the time from process start until the window is shown and
// the program waits for input, and the peak working set, as medians over
// repeated runs. Prints figures; judges nothing.
//   startup_bench.exe <Velocine.exe> <MinimalDialog.exe> <LoadedDialog.exe>
//                     [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "wine/ChildProcess.h"

namespace {

struct Sample {
  double milliseconds;
  double peakKilobytes;
};

bool RunOnce(const std::string& program, Sample* sample) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  velo::ChildProcess process("\"" + program + "\"");
  if (!process.Started()) return false;
  const std::function<bool(HWND)> any = [](HWND) { return true; };
  bool shown = false;
  for (int i = 0; i < 2000 && !shown; ++i) {
    WaitForInputIdle(process.Handle(), 10);
    shown = process.FindWindow(any) != nullptr;
  }
  WaitForInputIdle(process.Handle(), 10000);
  QueryPerformanceCounter(&end);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.Handle(), &memory, sizeof memory);
  process.Close();
  sample->milliseconds = 1000.0 * (end.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart);
  sample->peakKilobytes = memory.PeakWorkingSetSize / 1024.0;
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Program {
  const char* label;
  std::string path;
  std::vector<double> times, peaks;
};

// Starts the programs in turn, round after round, so that whatever else the
// machine does weighs on each of them alike.
bool Measure(std::vector<Program>& programs, int runs) {
  for (Program& program : programs) {
    Sample warmUp;  // fills the file cache first
    RunOnce(program.path, &warmUp);
  }
  for (int i = 0; i < runs; ++i)
    for (Program& program : programs) {
      Sample sample;
      if (!RunOnce(program.path, &sample)) {
        std::fprintf(stderr, "%s did not show its window\n", program.label);
        return false;
      }
      program.times.push_back(sample.milliseconds);
      program.peaks.push_back(sample.peakKilobytes);
    }
  return true;
}

// Each round's ratio of one program's time to another's. The programs of a
// round run back to back, so a load that comes and goes on the machine
// weighs on both sides of each ratio alike, more than on the two medians.
std::vector<double> RoundRatios(const Program& program, const Program& floor) {
  std::vector<double> ratios;
  for (size_t i = 0; i < program.times.size() && i < floor.times.size(); ++i)
    ratios.push_back(program.times[i] / floor.times[i]);
  return ratios;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr,
                 "usage: %s Velocine.exe MinimalDialog.exe LoadedDialog.exe "
                 "[runs]\n",
                 argv[0]);
    return 2;
  }
  int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 10;
  std::vector<Program> programs = {{"bare floor", argv[2], {}, {}},
                                   {"fair floor", argv[3], {}, {}},
                                   {"Velocine.exe", argv[1], {}, {}}};
  if (!Measure(programs, runs)) return 1;
  std::printf("start-up until shown and idle, median of %d runs (a time "
              "ratio is the median of each round's ratio)\n",
              runs);
  std::printf("  %-34s %9s %12s\n", "", "ms", "peak WS KiB");
  const char* floors[] = {"bare floor (small dialog)",
                          "fair floor (its window, DLLs, OLE)"};
  for (int i = 0; i < 3; ++i)
    std::printf("  %-34s %9.1f %12.0f\n", i < 2 ? floors[i] : "Velocine.exe",
                Median(programs[i].times), Median(programs[i].peaks));
  double velocinePeak = Median(programs[2].peaks);
  for (int i = 0; i < 2; ++i)
    std::printf("  %-34s %9.2f %12.2f\n",
                i == 0 ? "ratio to the bare floor" : "ratio to the fair floor",
                Median(RoundRatios(programs[2], programs[i])),
                velocinePeak / Median(programs[i].peaks));
  return 0;
}
