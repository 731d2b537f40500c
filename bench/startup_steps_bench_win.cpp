// Where Velocine's start-up time goes: each step of the real start-up code,
// timed in this process in the order the program runs it, from starting COM
// to the main window's first paint. The first round pays what a fresh
// process pays once (DLLs, window classes, caches); the later rounds show
// what each step costs by itself. The program's folder is a copy of the
// language files of the source tree. Prints figures; judges nothing.
//   startup_steps_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "framework/HostedControl.h"
#include "res/resource.h"
#include "wine/SourceTree.h"
#include "wine/TempFolder.h"

namespace velo {
namespace {

double Now() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * count.QuadPart / static_cast<double>(frequency.QuadPart);
}

// Each step's time in every round, by step name, in the order first seen.
class StepTimes {
 public:
  template <typename Work>
  void Time(const std::string& name, Work work) {
    double start = Now();
    work();
    Add(name, Now() - start);
  }
  void Print(const char* title) const {
    std::printf("  %-40s %10s %10s\n", title, "first ms", "median ms");
    double first = 0, median = 0;
    for (const Step& step : steps_) {
      std::vector<double> later(step.times.begin() + 1, step.times.end());
      double typical = Median(later.empty() ? step.times : later);
      std::printf("  %-40s %10.2f %10.2f\n", step.name.c_str(),
                  step.times.front(), typical);
      first += step.times.front();
      median += typical;
    }
    std::printf("  %-40s %10.2f %10.2f\n", "  sum", first, median);
  }

 private:
  struct Step {
    std::string name;
    std::vector<double> times;
  };
  static double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  }
  void Add(const std::string& name, double milliseconds) {
    for (Step& step : steps_)
      if (step.name == name) {
        step.times.push_back(milliseconds);
        return;
      }
    steps_.push_back({name, {milliseconds}});
  }
  std::vector<Step> steps_;
};

// The main window with each of its initialisation steps timed.
class TimedTunerDlg : public CTunerDlg {
 public:
  explicit TimedTunerDlg(StepTimes& times) : times_(times) {}

 protected:
  BOOL OnInitDialog() override {
    for (const InitStep& step : InitSteps())
      times_.Time(step.name, [&] { (this->*step.run)(); });
    return TRUE;
  }

 private:
  StepTimes& times_;
};

// Pumps what the window has queued, as the modal loop would before it idles.
void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// The main window's template shown with no code of the program behind it:
// what the window costs before the program does anything.
void OpenPlainTemplate(StepTimes& times) {
  HWND handle = nullptr;
  times.Time("(for comparison) the bare template", [&] {
    handle = CreateDialogParamA(GetModuleHandleA(nullptr),
                                MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                                &PlainDialogProc, 0);
    UpdateWindow(handle);
    DrainMessages();
  });
  DestroyWindow(handle);
  DrainMessages();
}

void OpenMainWindow(StepTimes& times, StepTimes& initialisation) {
  TimedTunerDlg window(initialisation);
  HWND handle = nullptr;
  times.Time("main window created and initialised",
             [&] { handle = window.CreateModeless(nullptr); });
  if (!handle) {
    std::fprintf(stderr, "the main window did not open\n");
    std::exit(1);
  }
  times.Time("main window shown and painted", [&] {
    ShowWindow(handle, SW_SHOW);
    UpdateWindow(handle);
    DrainMessages();
  });
  DestroyWindow(handle);
  DrainMessages();
}

// One start-up as the program makes it, but for the modal loop.
void StartUp(StepTimes& times, StepTimes& initialisation) {
  ControlHosting* hosting = nullptr;
  times.Time("COM and OLE started", [&] { hosting = new ControlHosting(); });
  times.Time("common controls", [] { StartCommonControls(); });
  times.Time("settings read", [] { ReadAppSettings(App().registry()); });
  times.Time("Windows version classified", [] {
    WindowsFamily family;
    CWindowsVersion().Classify(&family);
  });
  OpenMainWindow(times, initialisation);
  delete hosting;
  OpenPlainTemplate(times);
}

// Copies the language files (and any flags) of the source tree.
bool CopyLanguageFiles(TempFolder& folder) {
  if (folder.Path().empty() || folder.MakeFolder("Lang").empty()) return false;
  std::string source = SourcePath("res/Lang");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((source + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool copied = true;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = found.cFileName;
    copied = CopyFileA((source + "\\" + name).c_str(),
                       (folder.Path() + "\\Lang\\" + name).c_str(),
                       FALSE) &&
             copied;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return copied;
}

}  // namespace
}  // namespace velo

int main(int argc, char** argv) {
  using namespace velo;
  int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  TempFolder program("startup_steps_bench");
  if (!CopyLanguageFiles(program)) {
    std::fprintf(stderr, "could not copy the language files\n");
    return 1;
  }
  App().m_szAppPath = program.Path();
  App().m_szLanguage = "English";
  StepTimes times, initialisation;
  for (int i = 0; i < rounds; ++i) StartUp(times, initialisation);
  std::printf("start-up steps in one process, %d rounds (language English)\n",
              rounds);
  times.Print("start-up step");
  initialisation.Print("main window's initialisation step");
  return 0;
}
