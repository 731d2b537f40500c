// What every page of the tuning wizard shares: the sheet of its run and the
// run's record, the step caption, localized texts and the skin.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "framework/PropertyPage.h"
#include "store/SettingsRecord.h"
#include "wizard/BoxFixUps.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardFlow.h"

namespace velo {

class CMyPropertySheet;
class Texts;

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
  // The kill-focus fix-up of a number box: reads the box into `member` and,
  // when that is below the bound, puts the recommendation into both.
  void SettleBoxOnLeaving(int controlId, int32_t& member, BoxBound bound);
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

 private:
  // The sheet's answer that shows `page`, or keeps this page for kNoPage.
  LRESULT AnswerFor(WizardPageIndex page) const;

  CMyPropertySheet& sheet_;
  WizardPageIndex index_;
};

}  // namespace velo
