// The MTU search on this Windows: don't-fragment pings through ICMP.DLL,
// which every supported Windows has but which the program loads only when
// a search is asked for, so that it starts where the DLL is missing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tuning/MtuSearch.h"

namespace velo {

class PathMtuProber {
 public:
  PathMtuProber();
  ~PathMtuProber();
  PathMtuProber(const PathMtuProber&) = delete;
  PathMtuProber& operator=(const PathMtuProber&) = delete;

  // False where ICMP.DLL or its functions are missing.
  bool CanPing() const { return icmp_ != nullptr; }

  // Searches the path towards `host` (a name or a dotted address); `goOn`
  // as in FindMtu. Blocks for as long as the pings take.
  MtuSearchResult Find(const std::string& host,
                       const std::function<bool(int32_t size)>& goOn);

 private:
  struct Icmp;
  Icmp* icmp_;
};

}  // namespace velo
