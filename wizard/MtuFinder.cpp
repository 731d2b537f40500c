#include "wizard/MtuFinder.h"

#include "tuning/Recommendations.h"
#include "wizard/MtuFinderStatus.h"

namespace velo {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

void MtuFinder::Offer(const ProbeHost& probe) {
  if (probe.onOwnNetwork)
    idleStatus_ = MtuSearchOutcome(texts_, probe.host, {kMtuOwnNetwork, 0, 0});
  else
    view_.ShowHost(probe.host);
}

void MtuFinder::ShowIdle() {
  view_.ShowStatus(foundMtu_ ? foundStatus_ : idleStatus_);
}

void MtuFinder::Press() {
  if (searching_) return Stop();
  trip_ = MeasuredRoundTrip();
  foundMtu_ = 0;
  host_ = Trimmed(view_.TypedHost());
  if (host_.empty()) return ShowOutcome({kMtuHostUnknown, 0, 0});
  if (!view_.StartSearch(host_)) return ShowOutcome({kMtuNoThread, 0, 0});
  searching_ = true;
  view_.ShowSearching(true);
}

void MtuFinder::Trying(int32_t size) {
  view_.ShowStatus(MtuSearchProgress(texts_, size));
}

void MtuFinder::Ended(const MtuSearchResult& result) {
  view_.StopSearch();
  searching_ = false;
  view_.ShowSearching(false);
  if (result.roundTripSize > 0) trip_ = {true, result.roundTripMs, host_};
  if (result.end == kMtuFound) {
    view_.ShowInBoxes(result.mtu, result.mtu - kMssBelowMtu);
    foundMtu_ = result.mtu;
    foundStatus_ = MtuSearchOutcome(texts_, host_, result);
  }
  ShowOutcome(result);
}

void MtuFinder::Leave() {
  if (searching_) Stop();
}

void MtuFinder::Stop() {
  view_.StopSearch();
  searching_ = false;
  view_.ShowSearching(false);
  ShowOutcome({kMtuCancelled, 0, 0});
}

void MtuFinder::ShowOutcome(const MtuSearchResult& result) {
  view_.ShowStatus(MtuSearchOutcome(texts_, host_, result));
}

}  // namespace velo
