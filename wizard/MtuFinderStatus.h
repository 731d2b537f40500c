// What the MTU step says about a search: the size being tried, the MTU
// found and towards which host, or in plain words why none was found.
#pragma once

#include <cstdint>
#include <string>

#include "lang/Texts.h"
#include "tuning/MtuSearch.h"
#include "wizard/MtuFinder.h"

namespace velo {

std::string MtuSearchProgress(const Texts& texts, int32_t size);

// An empty `host`: none was typed and no DNS server is kept. The status
// has room, in every language, for a host as long as the widest address
// (15 characters): a longer name is cut there and ends in "...", the
// whole of it stays in the box beside.
std::string MtuSearchOutcome(const Texts& texts, const std::string& host,
                             const MtuSearchResult& result);

// The round trip a search measured, as the receive window step says it,
// the host named as the status names it.
std::string RoundTripMeasured(const Texts& texts,
                              const MeasuredRoundTrip& trip);

}  // namespace velo
