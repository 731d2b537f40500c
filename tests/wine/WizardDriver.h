// Runs the tuning wizard for real as a modeless sheet and drives it with the
// sheet's own messages, the way a user's clicks would. The registry keys a
// run may touch are put back as they were when the driver goes; every alert
// or standard message shown meanwhile is answered with OK and remembered.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ModalDriver.h"
#include "store/SettingsRecord.h"
#include "support/KeptSettings.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

struct WizardButtonsShown {
  bool back, next, finish;
  bool operator==(const WizardButtonsShown& other) const {
    return back == other.back && next == other.next && finish == other.finish;
  }
};

class WizardDriver {
 public:
  explicit WizardDriver(WindowsFamily family);
  ~WizardDriver();

  // Opens the sheet: the backup is taken and step 1 shows.
  void Open();
  CMyPropertySheet& Sheet() { return *sheet_; }
  const SettingsRecord& Record() const { return sheet_->record; }

  // The index of the page shown; -1 once the wizard has ended.
  int Page() const;
  HWND PageWindow() const;
  std::string Caption() const;
  WizardButtonsShown Buttons() const;

  void Next();
  void Back();
  void Finish();
  void Cancel();
  // Next until the page `index` shows; false if it never does.
  bool NextTo(int index);

  std::string Text(int controlId) const;
  // Replaces the text of a control of the current page as typing would
  // (the box sees the change).
  void Type(int controlId, const std::string& text);
  // Puts the focus into the box and then elsewhere.
  void Leave(int controlId);
  void Check(int controlId, bool checked);
  // Clicks a push button of the current page.
  void Click(int controlId);
  // Answers the windows' messages until `condition` holds; false once
  // `milliseconds` have passed without it.
  bool PumpUntil(const std::function<bool()>& condition,
                 int milliseconds = 30000);
  bool IsChecked(int controlId) const;

  // The texts of the messages answered so far, oldest first.
  std::vector<std::string> messages;

 private:
  void Press(int button);
  void Pump();
  void Answer(HWND dialog);

  KeptSettings kept_;
  std::unique_ptr<CMyPropertySheet> sheet_;
  std::unique_ptr<ModalDriver> answering_;
};

// A modem of `family` whose port speed can be raised, under a subkey of the
// modem class key named `name`.
void AddBoostableModem(WindowsFamily family, const std::string& name);
// That modem's capability record as it is now; empty when it has none.
RegValue ModemProperties(WindowsFamily family, const std::string& name);

}  // namespace velo
