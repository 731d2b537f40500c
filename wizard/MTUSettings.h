// Step 2: the MTU and the MSS. Both boxes start from the recommendation for
// the connection type every time the page is shown; the MTU box takes 68 to
// 1500. Where this Windows can send pings, the page also measures the
// MTU towards a host and puts what it finds into the boxes.
#pragma once

#include <string>

#include "wizard/BackgroundMtuSearch.h"
#include "wizard/WizardPage.h"

namespace velo {

class CMTUSettings : public CWizardPage {
 public:
  explicit CMTUSettings(CMyPropertySheet& sheet);

 protected:
  // Offers the search where pings can be sent, towards the DNS server when
  // it lies beyond the line.
  BOOL OnInitDialog() override;
  // The recommendations for the connection type, into the record and the
  // boxes; what an earlier search said goes with the boxes it filled.
  void Prepare() override;
  // The MTU the chosen connection went out with, beside the explanation.
  BOOL OnSetActive() override;
  // Leaving the page stops a search.
  BOOL OnKillActive() override;

 private:
  // The button starts a search, or stops the one running.
  void OnFindMtu();
  void OnSearchEnded(const MtuSearchResult& result);
  // The button stops while a search runs, and the host stays as typed.
  void ShowSearching(bool searching);
  void StopSearch();
  void ShowOutcome(const MtuSearchResult& result);

  BackgroundMtuSearch search_;
  std::string host_;  // the host of the running search
  // What the step says before any search: why the box is empty, if it is.
  std::string idleStatus_;
};

}  // namespace velo
