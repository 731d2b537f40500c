// The MTU step's finder: the host box, the button that starts a search
// towards the host and stops it, and the status line under them. It decides
// what they show as a search starts, tries sizes and ends, and puts an MTU
// found into the step's boxes; the step draws it (View) and runs the search
// on a thread of its own.
#pragma once

#include <cstdint>
#include <string>

#include "lang/Texts.h"
#include "tuning/MtuSearch.h"
#include "tuning/ProbeHost.h"

namespace velo {

// The round trip the step's last search measured, and towards which host;
// none where it measured none, or was stopped.
struct MeasuredRoundTrip {
  bool measured = false;
  uint32_t ms = 0;
  std::string host;
};

class MtuFinder {
 public:
  class View {
   public:
    virtual ~View() {}
    virtual std::string TypedHost() const = 0;
    virtual void ShowHost(const std::string& host) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    // While a search runs, the button stops it and the host stays as typed.
    virtual void ShowSearching(bool searching) = 0;
    virtual void ShowInBoxes(int32_t mtu, int32_t mss) = 0;
    // False when no search could be started.
    virtual bool StartSearch(const std::string& host) = 0;
    virtual void StopSearch() = 0;
  };

  // `texts`, `view` and `trip` outlive the finder, which keeps in `trip`
  // what its last search measured.
  MtuFinder(const Texts& texts, View& view, MeasuredRoundTrip& trip)
      : texts_(texts), view_(view), trip_(trip) {}

  // The host offered before any search: one beyond the line goes into the
  // box; the router of the user's own network is none, and the status says
  // so instead.
  void Offer(const ProbeHost& probe);
  // Each time the step is shown: what the last search that found an MTU
  // said of it, or else what the status says before any search.
  void ShowIdle();
  // The MTU the last search that ended found, which the step shows on every
  // visit in place of the type's; 0 where it found none, or another search
  // has started since.
  int32_t FoundMtu() const { return foundMtu_; }
  // The button: starts a search, or stops the one running.
  void Press();
  void Trying(int32_t size);
  void Ended(const MtuSearchResult& result);
  // Leaving the step stops a search.
  void Leave();

 private:
  void Stop();
  void ShowOutcome(const MtuSearchResult& result);

  const Texts& texts_;
  View& view_;
  MeasuredRoundTrip& trip_;
  bool searching_ = false;
  std::string host_;  // the host of the running search
  int32_t foundMtu_ = 0;
  std::string foundStatus_;  // what the search that found it said
  // What the step says before any search: why the box is empty, if it is.
  std::string idleStatus_;
};

}  // namespace velo
