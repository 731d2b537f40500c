// The program's own message box: OK alone for information, Yes and No for a
// question. Every message of the program is shown through it.
#pragma once

#include <string>

#include "framework/Dialog.h"

namespace velo {

class CAlertDlg : public Dialog {
 public:
  CAlertDlg();

  std::string m_strText;
  std::string m_strTitle;
  bool m_bOkOnly = true;

 protected:
  BOOL OnInitDialog() override;
};

// Results of a run: OK or Yes, and No, Escape or the close box.
const int kAlertYes = 1;
const int kAlertNo = 2;

}  // namespace velo
