// The account this program runs as, and the local time, as the log and the
// note of who holds the backup write them.
#pragma once

#include <string>

#include "store/BackupHolder.h"

namespace velo {

// "2026-12-10 00:50:07"
std::string LocalTimeStamp();

// This account, now: the holder a backup taken now gets. The name is ""
// where Windows tells none (95 with no one logged on).
BackupHolder ThisAccountNow();

}  // namespace velo
