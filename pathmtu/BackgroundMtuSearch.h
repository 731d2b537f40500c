// An MTU search on a thread of its own: a ping waits up to a second for its
// answer, and the window that started it must go on answering the user
// meanwhile. The thread posts each size it tries and the outcome to that
// window; a search that is stopped ends after the ping it is waiting for,
// and what it posts after that is not taken.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/MessageMap.h"
#include "tuning/PathProber.h"

namespace velo {

class BackgroundMtuSearch {
 public:
  // wParam: the size being tried. lParam: the search's number.
  static const UINT kTrying = WM_APP + 31;
  // lParam: the search's number; Result() then holds what it found.
  static const UINT kEnded = WM_APP + 32;

  BackgroundMtuSearch() {}
  ~BackgroundMtuSearch() { Stop(); }
  BackgroundMtuSearch(const BackgroundMtuSearch&) = delete;
  BackgroundMtuSearch& operator=(const BackgroundMtuSearch&) = delete;

  // Hands what the running search posts to the window of `messages` on:
  // each size it tries, then what it found.
  void Listen(MessageMap& messages, std::function<void(int32_t size)> trying,
              std::function<void(const MtuSearchResult&)> ended);
  // False when no thread could be started. `prober` must outlive the
  // thread, which may go on after Stop until its probe has come back.
  bool Start(HWND window, const std::string& host, PathProber& prober);
  void Stop();
  bool Running() const { return job_ != nullptr; }
  // Whether a message posted with `number` comes from the running search.
  bool Posted(LPARAM number) const { return job_ && number == number_; }
  // What the running search found, once its kEnded has come.
  MtuSearchResult Result() const;

 private:
  struct Job;
  static DWORD WINAPI Run(LPVOID job);
  static void Release(Job* job);

  Job* job_ = nullptr;
  LPARAM number_ = 0;  // unique in the process: pages come and go
};

}  // namespace velo
