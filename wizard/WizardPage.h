// What every page of the tuning wizard shares: the sheet of its run and the
// run's record, the step caption, localized texts and the skin.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/PropertyPage.h"
#include "store/SettingsRecord.h"
#include "wizard/BoxFixUps.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardFlow.h"

namespace velo {

class CMyPropertySheet;
class Texts;

// A number box that edits one of the record's New... fields. What the box
// holds reaches the record only when the page is left with it, so a value
// the page refuses is never stored.
struct NumberBox {
  int control;
  int32_t SettingsRecord::*value;
  // A value below `lowest` (an emptied box included) becomes the
  // recommendation without a message, when the focus leaves the box and when
  // the page is left; kNoFallBack for a box that has none.
  int32_t SettingsRecord::*recommended;
  int32_t lowest;
  // Outside this range the standard range message is shown.
  int32_t rangeLow;
  int32_t rangeHigh;
};

const int32_t kNoFallBack = INT32_MIN;
const int32_t kAnyLow = INT32_MIN;
const int32_t kAnyHigh = INT32_MAX;

class CWizardPage : public PropertyPage {
 public:
  // The sheet that owns the page; the page takes its place in the sheet's
  // page order at `index`.
  CWizardPage(CMyPropertySheet& sheet, int templateId, WizardPageIndex index);

 protected:
  CMyPropertySheet& Sheet() const { return sheet_; }
  SettingsRecord& Record() const;
  const FoundFlags& Found() const;
  WindowsFamily Family() const;
  int32_t ModemFound() const;
  const Texts& Localized() const;
  // The localized text of a key ("*" already turned into line feeds).
  std::string Text(const char* key, const char* englishDefault) const;

  // Sets the sheet's caption to this page's step title and redraws the
  // sheet's frame.
  void ShowStepTitle(const StepTitle& title);
  void SetItemText(int controlId, const std::string& text);
  void SetLocalizedText(const char* key, int controlId,
                        const char* englishDefault);
  bool IsChecked(int controlId) const;
  // The page's number boxes, in the order they are read (the order their
  // messages come in); each with a fall-back is put right as the focus
  // leaves it. Called once, from the page's constructor.
  void UseNumberBoxes(std::initializer_list<NumberBox> boxes);
  // The boxes start from the record's values.
  void LoadBoxes();
  // After the boxes have been read: puts each value below its box's lowest
  // right, shows the values and stores them in the record.
  void SettleBoxes();
  // Stores what the boxes hold in the record.
  void StoreBoxes();
  // What the box `control` held when it was last read.
  int32_t BoxValue(int control) const;
  // Shows the buttons this page offers in the run's page order.
  void ShowWizardButtons();
  void SetWizardButtons(WizardButtons buttons);
  // Hands the page (as "BackGround") and then each control, with its
  // element, to the main window's skin; nothing without a main window.
  void SkinPage(std::initializer_list<std::pair<int, const char*>> controls);

  // Next and Back follow the run's page order (which skips the pages the
  // family lacks).
  LRESULT OnWizardNext() override;
  LRESULT OnWizardBack() override;
  // Finish writes the record and tells the user; a page with values of its
  // own stores them first, then calls this.
  BOOL OnWizardFinish() override;
  // The boxes start from the record (seeded by the sheet before any page
  // but the first is made).
  BOOL OnInitDialog() override;
  // The number boxes.
  void DoDataExchange(DataExchange& exchange) override;

 private:
  // The kill-focus fix-up: the box's leading number, or the recommendation
  // into the box too when it is below the box's lowest.
  void SettleBoxOnLeaving(size_t box);
  BoxBound BoundOf(const NumberBox& box) const;

  // The sheet's answer that shows `page`, or keeps this page for kNoPage.
  LRESULT AnswerFor(WizardPageIndex page) const;

  CMyPropertySheet& sheet_;
  WizardPageIndex index_;
  std::vector<NumberBox> boxes_;
  // What each of boxes_ holds, in the same order.
  std::vector<int32_t> held_;
};

}  // namespace velo
