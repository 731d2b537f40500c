// Step 2: the MTU and the MSS. Both boxes start from the recommendation for
// the connection type every time the page is shown; the MTU box takes 68 to
// 1500. Where this Windows can send pings, the page also measures the
// MTU towards a host and puts what it finds into the boxes (MtuFinder).
#pragma once

#include <string>

#include "pathmtu/BackgroundMtuSearch.h"
#include "wizard/MtuFinder.h"
#include "wizard/WizardPage.h"

namespace velo {

class CMTUSettings : public CWizardPage, private MtuFinder::View {
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
  // The finder's controls on this page, and its search on a thread.
  std::string TypedHost() const override;
  void ShowHost(const std::string& host) override;
  void ShowStatus(const std::string& text) override;
  void ShowSearching(bool searching) override;
  void ShowInBoxes(int32_t mtu, int32_t mss) override;
  bool StartSearch(const std::string& host) override;
  void StopSearch() override;

  BackgroundMtuSearch search_;
  MtuFinder finder_;
};

}  // namespace velo
