// Windows' own boxes, which ask a person at the desktop: a drive without a
// disk, a file it cannot find to load, a program fault. A command run never
// waits for a click nobody gives.
#pragma once

namespace velo {

// From here on Windows answers each of them as a failure, without a box.
void ShowNoSystemBoxes();

}  // namespace velo
