// A prober whose probes wait until the test lets them go: while one waits,
// a search is certainly under way, however fast the path would answer. It
// stands in for the wizard's prober while it lives; when it goes it lets
// every probe answer and waits until no search is left inside it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "BoundedWait.h"
#include "WizardDriver.h"
#include "tuning/PathProber.h"

namespace velo {

class HeldProber : public PathProber {
 public:
  explicit HeldProber(WizardDriver& wizard)
      : wizard_(wizard),
        previous_(wizard.Prober()),
        released_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock_);
    wizard.UseProber(*this);
  }
  ~HeldProber() {
    wizard_.UseProber(previous_);
    Release();
    EXPECT_TRUE(WaitFor([this] { return Inside() == 0; }))
        << "a search went on after its probes were let go";
    CloseHandle(released_);
    DeleteCriticalSection(&lock_);
  }
  HeldProber(const HeldProber&) = delete;
  HeldProber& operator=(const HeldProber&) = delete;

  bool CanPing() const override { return true; }
  // Every size fits, once the probe is let go.
  MtuSearchResult Find(const std::string&,
                       const std::function<bool(int32_t size)>& goOn) override {
    Count(&inside_, 1);
    const MtuSearchResult result = FindMtu(
        [this](int32_t, uint32_t) {
          Count(&waiting_, 1);
          WaitForSingleObject(released_, INFINITE);
          Count(&waiting_, -1);
          return ProbeReply{kProbeEchoed, 1};
        },
        kEthernetMtu, goOn);
    EnterCriticalSection(&lock_);
    ended_.push_back(result);
    --inside_;
    LeaveCriticalSection(&lock_);
    return result;
  }

  // Lets every probe answer, those waiting and those to come.
  void Release() { SetEvent(released_); }
  // Probes waiting to be let go: searches that are certainly running.
  int Waiting() { return Read(&waiting_); }
  int Inside() { return Read(&inside_); }
  // How the searches that have left ended, oldest first.
  std::vector<MtuSearchResult> Ended() {
    EnterCriticalSection(&lock_);
    const std::vector<MtuSearchResult> ended = ended_;
    LeaveCriticalSection(&lock_);
    return ended;
  }

 private:
  void Count(int* counter, int step) {
    EnterCriticalSection(&lock_);
    *counter += step;
    LeaveCriticalSection(&lock_);
  }
  int Read(int* counter) {
    EnterCriticalSection(&lock_);
    const int value = *counter;
    LeaveCriticalSection(&lock_);
    return value;
  }

  WizardDriver& wizard_;
  PathProber& previous_;
  HANDLE released_;
  CRITICAL_SECTION lock_;
  int waiting_ = 0;
  int inside_ = 0;
  std::vector<MtuSearchResult> ended_;
};

}  // namespace velo
