// A dialog made from a template: modal runs, a message map, data exchange and
// the program's dialog colours.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/DataExchange.h"
#include "framework/MessageMap.h"

namespace velo {

class HostedControl;

// Background and text colour of every dialog of the program.
const COLORREF kDialogBackground = RGB(229, 229, 229);
const COLORREF kDialogText = RGB(0, 0, 0);

// Puts the program's dialog colours into `dc`; returns the brush that paints
// the background, the answer to the WM_CTLCOLOR... messages.
HBRUSH UseDialogColours(HDC dc);

class Dialog {
 public:
  explicit Dialog(int templateId);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Creates the window, runs it until EndDialog and destroys it.
  INT_PTR DoModal(HWND parent);
  // For tests and embedding: a window that lives until DestroyWindow.
  HWND CreateModeless(HWND parent);

  HWND Hwnd() const { return hwnd_; }
  HWND Item(int controlId) const { return GetDlgItem(hwnd_, controlId); }
  int TemplateId() const { return templateId_; }
  void EndDialog(INT_PTR result);

  // Controls to members (true) or members to controls (false); false when a
  // control's text was refused. `onlyControl` limits it to one control.
  bool UpdateData(bool saveAndValidate, int onlyControl = 0);
  // The same, telling why a control's text was refused.
  ExchangeFailure Exchange(bool saveAndValidate, int onlyControl = 0);

  // Takes a control that data exchange hosts in this window, to be torn down,
  // last hosted first, when the window goes. False when it already has it.
  bool Adopt(HostedControl& control);

 protected:
  virtual BOOL OnInitDialog();
  // Enter, or a default push button: validates and ends with IDOK.
  virtual void OnOK();
  // Escape or the close box: ends with IDCANCEL.
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange& /*exchange*/) {}

  MessageMap& Messages() { return messages_; }

  // Routes one message of this dialog's window; the dialog procedures of
  // dialogs and property pages both come here. `window` is the window the
  // message was sent to: the answer goes there even before the dialog holds
  // its window, or after it has let go of it.
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);
  void AttachWindow(HWND window);
  // Messages the base answers after the message map (OK, Cancel, colours).
  virtual bool HandleDefault(UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT* result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam);
  bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT* result);
  void DestroyHostedControls();

  int templateId_;
  HWND hwnd_ = nullptr;
  MessageMap messages_;
  std::vector<HostedControl*> hosted_;
  // Set while the dialog writes or reads its own controls, so that the
  // edit-box notifications this causes are not taken for the user's.
  bool exchanging_ = false;
};

// The dialog object behind a window, or null.
Dialog* DialogFromHandle(HWND window);

}  // namespace velo
