// A property sheet in wizard mode that knows nothing but the order of its
// pages; a derived sheet adds its own start-up and message handling.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <vector>

#include "framework/MessageMap.h"

namespace velo {

class PropertyPage;

// The platform's ids of the sheet's own buttons.
const int kWizardBack = 12323;
const int kWizardNext = 12324;
const int kWizardFinish = 12325;
const int kWizardHelp = 9;

class WizardSheet {
 public:
  explicit WizardSheet(int captionStringId);
  virtual ~WizardSheet();
  WizardSheet(const WizardSheet&) = delete;
  WizardSheet& operator=(const WizardSheet&) = delete;

  // Pages are shown in the order they are added; the position is the index
  // used by TemplateOf and ActiveIndex.
  void AddPage(PropertyPage& page);

  // Runs the wizard until Finish or Cancel.
  INT_PTR DoModal(HWND parent);
  // For tests: a sheet that lives until its window is destroyed.
  HWND CreateModeless(HWND parent);

  HWND Hwnd() const { return hwnd_; }
  // Back (PSWIZB_BACK), Next (PSWIZB_NEXT), Finish (PSWIZB_FINISH); the
  // request is posted, so it takes effect once the current message is done.
  void SetWizardButtons(DWORD buttons);
  int ActiveIndex() const;
  // The dialog template of the page at `index`.
  int TemplateOf(int index) const;
  // Once a page has set the caption, it stays until a page sets another:
  // the platform's own retitling of a wizard on each page change (to the
  // page template's caption, which the pages here do not have) is ignored.
  void SetCaption(const char* caption);

 protected:
  // After the platform's own start-up, which has shown the first page.
  virtual void OnInitDialog() {}
  // The sheet's window is going away, whether by Finish or by Cancel.
  virtual void OnDestroy() {}
  MessageMap& Messages() { return messages_; }

 private:
  INT_PTR Run(HWND parent, bool modeless);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  int captionStringId_;
  std::vector<PropertyPage*> pages_;
  MessageMap messages_;
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool captionSet_ = false;
  bool settingCaption_ = false;
};

}  // namespace velo
