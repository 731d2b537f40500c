// The MTU search on this Windows: don't-fragment pings through ICMP.DLL,
// which every supported Windows has but which the program loads only for
// the time a search (or the question whether one can run) needs it, so
// that it starts where the DLL is missing.
#pragma once

#include "tuning/PathProber.h"

namespace velo {

class PathMtuProber : public PathProber {
 public:
  // False where ICMP.DLL or its functions are missing.
  bool CanPing() const override;
  MtuSearchResult Find(const std::string& host,
                       const std::function<bool(int32_t size)>& goOn) override;
};

}  // namespace velo
