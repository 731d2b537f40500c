// Start-up cost of Velocine.exe beside the smallest dialog program built the
// same way: the time from process start until its window is shown and the
// program waits for input, and its peak working set, as medians over
// repeated runs. Prints figures; judges nothing.
//   startup_bench.exe <Velocine.exe> <MinimalDialog.exe> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Sample {
  double milliseconds;
  double peakKilobytes;
};

struct Search {
  DWORD process;
  bool shown;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window)) {
    search->shown = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseWindows(HWND window, LPARAM process) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == static_cast<DWORD>(process)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

bool RunOnce(const std::string& program, Sample* sample) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  std::string command = "\"" + program + "\"";
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &process))
    return false;
  Search search = {process.dwProcessId, false};
  for (int i = 0; i < 2000 && !search.shown; ++i) {
    WaitForInputIdle(process.hProcess, 10);
    EnumWindows(&FindShownWindow, reinterpret_cast<LPARAM>(&search));
  }
  WaitForInputIdle(process.hProcess, 10000);
  QueryPerformanceCounter(&end);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  EnumWindows(&CloseWindows, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  sample->milliseconds = 1000.0 * (end.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart);
  sample->peakKilobytes = memory.PeakWorkingSetSize / 1024.0;
  return search.shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool Measure(const std::string& program, int runs, double* milliseconds,
             double* kilobytes) {
  std::vector<double> times, peaks;
  Sample warmUp;
  RunOnce(program, &warmUp);  // fills the file cache first
  for (int i = 0; i < runs; ++i) {
    Sample sample;
    if (!RunOnce(program, &sample)) return false;
    times.push_back(sample.milliseconds);
    peaks.push_back(sample.peakKilobytes);
  }
  *milliseconds = Median(times);
  *kilobytes = Median(peaks);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s Velocine.exe MinimalDialog.exe [runs]\n",
                 argv[0]);
    return 2;
  }
  int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10;
  double programTime, programPeak, floorTime, floorPeak;
  if (!Measure(argv[2], runs, &floorTime, &floorPeak) ||
      !Measure(argv[1], runs, &programTime, &programPeak)) {
    std::fprintf(stderr, "a program did not show its window\n");
    return 1;
  }
  std::printf("start-up until shown and idle, median of %d runs\n", runs);
  std::printf("  %-16s %9s %12s\n", "", "ms", "peak WS KiB");
  std::printf("  %-16s %9.1f %12.0f\n", "floor (dialog)", floorTime, floorPeak);
  std::printf("  %-16s %9.1f %12.0f\n", "Velocine.exe", programTime, programPeak);
  std::printf("  %-16s %9.2f %12.2f\n", "ratio", programTime / floorTime,
              programPeak / floorPeak);
  return 0;
}
