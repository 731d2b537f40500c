// What one run of the wizard works with, handed to its sheet by the window
// that opens it: the main window gives the program's own, a test whatever
// stands in for them. The sheet and its pages take everything from here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "lang/Texts.h"
#include "registry/Registry.h"
#include "store/BackupHolder.h"
#include "store/SettingsRecord.h"
#include "tuning/PathProber.h"

namespace velo {

class SkinComponent;

struct WizardRun {
  Registry& registry;
  WindowsFamily family;
  WindowsLimits limits;
  const Texts& texts;
  // Shows a message with an OK button alone; returns once it is closed.
  std::function<void(const std::string& text)> alert;
  // Null: the sheet and its pages are drawn plain.
  SkinComponent* skin;
  // Set once a modem whose port speed can be raised is found; it stays set
  // for the runs that follow.
  int32_t& modemFound;
  // What the MTU step measures with.
  PathProber& prober;
  // The holder a backup taken now gets.
  std::function<BackupHolder()> holderNow;
  // Told, when the wizard ends, whether Reset has a backup to put back.
  std::function<void(bool hasBackup)> resetHasWork;
};

}  // namespace velo
