// Runs the tuning wizard for real as a modeless sheet and drives it with the
// sheet's own messages, the way a user's clicks would. The sheet is handed a
// run of the driver's own Windows family and modem flag, without a main
// window: the registry, texts, limits and skin are those the test has put
// in the application object's hands, and the Reset button told is that of
// the main window it has put there, if any. The prober is the application's
// until the test chooses another. The registry keys a
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
#include "tuning/PathProber.h"
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
  // Next (or Back) until the page `index` shows; false if it never does.
  bool NextTo(int index);
  bool BackTo(int index);

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

  // The prober of the searches started from now on.
  void UseProber(PathProber& prober) { prober_.target = &prober; }
  PathProber& Prober() { return *prober_.target; }

  // The texts of the messages answered so far, oldest first.
  std::vector<std::string> messages;
  // Whether a modem whose port speed can be raised has been found; the
  // test may say so before or during the run.
  int32_t modemFound = 0;

 private:
  void Press(int button);
  void Pump();
  void Answer(HWND dialog);

  // Hands each search to the prober chosen by the time it starts.
  struct ChosenProber : PathProber {
    PathProber* target = nullptr;
    bool CanPing() const override { return target->CanPing(); }
    MtuSearchResult Find(
        const std::string& host,
        const std::function<bool(int32_t size)>& goOn) override {
      return target->Find(host, goOn);
    }
  };

  KeptSettings kept_;
  WindowsFamily family_;
  ChosenProber prober_;
  std::unique_ptr<CMyPropertySheet> sheet_;
  std::unique_ptr<ModalDriver> answering_;
};

// A modem of `family` whose port speed can be raised, under a subkey of the
// modem class key named `name`.
void AddBoostableModem(WindowsFamily family, const std::string& name);
// That modem's capability record as it is now; empty when it has none.
RegValue ModemProperties(WindowsFamily family, const std::string& name);

}  // namespace velo
