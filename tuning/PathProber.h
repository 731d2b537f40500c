// What measures a path's MTU towards a host. On Windows it is the ICMP
// prober; the wizard's tests hand the page one whose probes they hold, so
// that they know when a search is under way.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tuning/MtuSearch.h"

namespace velo {

class PathProber {
 public:
  virtual ~PathProber() {}

  // False where this Windows has no way to send the pings.
  virtual bool CanPing() const = 0;
  // Searches the path towards `host` (a name or a dotted address); `goOn`
  // as in FindMtu. Blocks for as long as the probes take, and may run on a
  // thread of its own.
  virtual MtuSearchResult Find(
      const std::string& host,
      const std::function<bool(int32_t size)>& goOn) = 0;
};

}  // namespace velo
