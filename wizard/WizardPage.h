// What every page of the tuning wizard shares: the sheet of its run and the
// run's record, and the running of the page's description (texts, number
// boxes, check boxes, skin, step title and buttons).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/PropertyPage.h"
#include "store/SettingsRecord.h"
#include "wizard/BoxFixUps.h"
#include "wizard/PageDescription.h"

namespace velo {

class CMyPropertySheet;
struct WizardRun;

class CWizardPage : public PropertyPage {
 public:
  // The sheet that owns the page; the page takes its place in the sheet's
  // page order. `description` outlives the page.
  CWizardPage(CMyPropertySheet& sheet, const PageDescription& description);

 protected:
  CMyPropertySheet& Sheet() const { return sheet_; }
  // What the run works with.
  const WizardRun& Run() const;
  SettingsRecord& Record() const;
  WindowsFamily Family() const;
  const WindowsLimits& Limits() const;
  const Texts& Localized() const;
  std::string Text(TextId id) const;
  void SetItemText(int controlId, const std::string& text);
  bool IsChecked(int controlId) const;

  // Work of the page's own before its texts are shown, on every activation.
  virtual void Prepare() {}
  // The number boxes start again from the record's values.
  void LoadBoxes();

  // Skins the page.
  BOOL OnInitDialog() override;
  // Title, texts, boxes and buttons.
  BOOL OnSetActive() override;
  // Reads the boxes and check boxes into the record, or keeps the page when
  // a box refuses what it holds.
  BOOL OnKillActive() override;
  // Next and Back follow the run's page order (which skips the pages the
  // family lacks).
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
  // Finish reads the page as leaving it does, then writes the record and
  // tells the user.
  BOOL OnWizardFinish() override;
  void DoDataExchange(DataExchange& exchange) override;

 private:
  const FoundFlags& Found() const;
  int32_t ModemFound() const;
  void SkinPage();
  void ShowTexts();
  // False when a refused box keeps the user on the page; otherwise every box
  // holds an accepted value, shown and stored in the record.
  bool ReadBoxes();
  // Whether the refusal of `box` keeps the page: always for a box without a
  // fall-back; for one with a fall-back, only a number out of range that is
  // not below the box's lowest (which is put right instead).
  bool RefusalKeepsPage(size_t box, ExchangeFailure failure) const;
  void StoreChecks();
  // The kill-focus fix-up: the box's leading number, or the recommendation
  // into the box too when it is below the box's lowest.
  void SettleBoxOnLeaving(size_t box);
  BoxBound BoundOf(size_t box) const;

  // The sheet's answer that shows `page`, or keeps this page for kNoPage.
  LRESULT AnswerFor(WizardPageIndex page) const;

  CMyPropertySheet& sheet_;
  const PageDescription& description_;
  // What each number box holds, in the order of the description; the record
  // takes these values only when the page accepts them.
  std::vector<int32_t> held_;
  // The box whose text the last read refused.
  size_t refused_ = 0;
};

}  // namespace velo
