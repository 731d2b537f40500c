// One page of a property sheet in wizard mode, made from a child dialog
// template. It answers the sheet's notifications through overridable hooks.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "framework/Dialog.h"

namespace velo {

class WizardSheet;

class PropertyPage : public Dialog {
 public:
  explicit PropertyPage(int templateId);

  // What the sheet needs to create the page (without a Help button).
  PROPSHEETPAGEA Describe();

  // Answers of OnWizardNext and OnWizardBack besides a template id.
  static const LRESULT kGoOn = 0;    // to the next (or previous) page
  static const LRESULT kStay = -1;   // remain on this page

 protected:
  // The page becomes the current one. The base refreshes the controls
  // from the members, except the first time (initialisation did that).
  virtual BOOL OnSetActive();
  // The page is left: the base reads the controls; false keeps the page.
  virtual BOOL OnKillActive();
  // Next or Back was pressed: kGoOn, kStay, or the template id of the page
  // to show instead.
  virtual LRESULT OnWizardNext() { return kGoOn; }
  virtual LRESULT OnWizardBack() { return kGoOn; }
  // Finish was pressed: true lets the sheet close.
  virtual BOOL OnWizardFinish() { return TRUE; }

 private:
  static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam);
  // The one place that turns a notification into the page's answer.
  bool OnSheetNotify(NMHDR* header, LRESULT* result);

  bool firstActivation_ = true;
};

}  // namespace velo
