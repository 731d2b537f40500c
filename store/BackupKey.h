// The backup key is replaced as a whole or not at all. A new backup is built
// in a key of its own, marked complete, then copied over the backup key; a
// replacement cut short (a crash, a power loss, a failed write) is finished
// or dropped the next time the backup is looked at, so the backup key that
// Reset reads is always a whole backup.
#pragma once

#include "registry/Registry.h"
#include "store/StoreOutcome.h"

namespace velo {

// Finishes a replacement that was cut short: a new backup marked complete is
// copied over the backup key; one that never got its mark is dropped and the
// previous backup stays. A backup that Reset marked spent and was cut short
// deleting goes. Succeeds when nothing is left half done; until then the
// backup key is not to be trusted.
RegStatus SettleBackup(Registry& registry, StoreOutcome& outcome);

// Marks the new backup complete and lets it replace the backup key.
RegStatus PromoteNewBackup(Registry& registry, StoreOutcome& outcome);

// Deletes the backup that Reset has put back, marked spent first, so that a
// cut during the delete leaves a backup the next look drops, never one that
// lacks part of its entries. Fails only when the mark cannot be made.
RegStatus RemoveSpentBackup(Registry& registry, StoreOutcome& outcome);

// What a look for the backup found. A key that could not be opened for any
// reason but its absence, or a replacement cut short that could not be
// settled, is kBackupUnknown: there may be originals there, and nothing may
// take their place.
enum BackupPresence { kBackupAbsent, kBackupPresent, kBackupUnknown };

// Whether there is a backup for Reset to put back, after settling any
// replacement cut short. The Reset button follows this.
BackupPresence LookForBackup(Registry& registry);

}  // namespace velo
