#include "pathmtu/BackgroundMtuSearch.h"

namespace velo {

// Shared by the page and the thread; the last of the two to let go
// deletes it.
struct BackgroundMtuSearch::Job {
  HWND window;
  std::string host;
  PathProber& prober;
  LPARAM number;
  volatile LONG stopped;
  volatile LONG holders;
  MtuSearchResult result;  // written by the thread before it posts kEnded
};

namespace {
volatile LONG lastNumber = 0;
}  // namespace

bool BackgroundMtuSearch::Start(HWND window, const std::string& host,
                                PathProber& prober) {
  Stop();
  number_ = InterlockedIncrement(&lastNumber);
  Job* job = new Job{window, host, prober, number_, 0, 2,
                     MtuSearchResult{kMtuCancelled, 0, 0}};
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, Run, job, 0, &id);
  if (!thread) {
    delete job;
    return false;
  }
  CloseHandle(thread);
  job_ = job;
  return true;
}

void BackgroundMtuSearch::Stop() {
  if (!job_) return;
  InterlockedExchange(&job_->stopped, 1);
  Release(job_);
  job_ = nullptr;
}

void BackgroundMtuSearch::Listen(
    MessageMap& messages, std::function<void(int32_t size)> trying,
    std::function<void(const MtuSearchResult&)> ended) {
  messages.OnMessage(kTrying, [this, trying](WPARAM size, LPARAM number,
                                             LRESULT* result) {
    if (Posted(number)) trying(static_cast<int32_t>(size));
    *result = 0;
    return true;
  });
  messages.OnMessage(kEnded, [this, ended](WPARAM, LPARAM number,
                                           LRESULT* result) {
    if (Posted(number)) ended(Result());
    *result = 0;
    return true;
  });
}

MtuSearchResult BackgroundMtuSearch::Result() const {
  return job_ ? job_->result : MtuSearchResult{kMtuCancelled, 0, 0};
}

void BackgroundMtuSearch::Release(Job* job) {
  if (InterlockedDecrement(&job->holders) == 0) delete job;
}

DWORD WINAPI BackgroundMtuSearch::Run(LPVOID parameter) {
  Job* job = static_cast<Job*>(parameter);
  job->result =
      job->prober.Find(job->host, [job](int32_t size) {
        if (InterlockedCompareExchange(&job->stopped, 0, 0)) return false;
        PostMessageA(job->window, kTrying, size, job->number);
        return true;
      });
  PostMessageA(job->window, kEnded, 0, job->number);
  Release(job);
  return 0;
}

}  // namespace velo
