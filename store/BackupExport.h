// The backup of the original settings as a registry file, so that they can
// be put back without the program: regedit /s imports it. The file can only
// write values; one that did not exist before stays after an import (Reset
// deletes it).
#pragma once

#include <string>
#include <vector>

#include "registry/RegeditFile.h"
#include "registry/Registry.h"
#include "store/BackupKey.h"
#include "store/SettingsRecord.h"
#include "store/StoreOutcome.h"

namespace velo {

struct BackupExport {
  // The file is written only for a backup that is present.
  BackupPresence presence = kBackupAbsent;
  RegeditText file;  // with a note for each value the file leaves out
};

// Every value the backup holds, back in the key it came from: the browser
// and TCP/IP values, each device's MTU and MSS, and the modems' original
// records. A device or modem name that is no single key name is left out
// with a note.
BackupExport ExportBackup(Registry& registry, WindowsFamily family,
                          StoreOutcome& outcome);

}  // namespace velo
