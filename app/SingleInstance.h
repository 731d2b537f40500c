// One Velocine at a time. Two copies would each take their own backup, and
// the second Finish would note what the first one wrote as the originals; a
// second start (a double click too many) brings the running copy to the
// front instead, as Windows programs do, and ends.
#pragma once

#include <windows.h>

namespace velo {

class SingleInstance {
 public:
  // Claims the name for this process, or finds that a copy holds it.
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy of Velocine runs. A system that cannot tell
  // lets this copy run.
  bool IsFirst() const { return first_; }
  // Shows the running copy's main window, or the wizard or message above
  // it, in front. False when there is none to show: the copy is a command,
  // is still starting, or another program holds the name.
  bool BringRunningCopyToFront() const;

 private:
  HANDLE mapping_ = nullptr;
  DWORD* runningProcess_ = nullptr;  // the first copy's process id, shared
  bool first_ = true;
};

}  // namespace velo
