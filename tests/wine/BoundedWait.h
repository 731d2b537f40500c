// Waiting for another process's windows to reach a state: polled, and never
// longer than the bound, so a program that hangs fails a test instead of
// stopping the run.
#pragma once

#include <windows.h>

#include <functional>

namespace velo {

// True as soon as `condition` holds; false once `milliseconds` have passed
// without it.
inline bool WaitFor(const std::function<bool()>& condition,
                    int milliseconds = 20000) {
  const int step = 20;
  for (int waited = 0;; waited += step) {
    if (condition()) return true;
    if (waited >= milliseconds) return false;
    Sleep(step);
  }
}

}  // namespace velo
