// Which account holds the backup. The backup lives in the hive of the user
// who took it while the values it records are the machine's: a machine-wide
// note names that account, so that another account is told where the
// originals are instead of "no backup", and is asked before it records the
// values as they are now as new originals.
#pragma once

#include <string>

#include "registry/Registry.h"
#include "store/StoreOutcome.h"

namespace velo {

struct BackupHolder {
  std::string account;
  std::string taken;  // when the backup was taken, as the holder's clock said
};

// What the note says about the account looking. A note that cannot be read
// is kNoteUnreadable, never kNoNote: another account may hold the originals.
enum HolderNote { kNoNote, kNoteOfThisAccount, kNoteOfAnotherAccount,
                  kNoteUnreadable };

// Notes `holder` as the account holding the backup just taken.
RegStatus NoteBackupHolder(Registry& registry, const BackupHolder& holder);

// Reads the note, for the account `account`; `holder` gets what it says.
HolderNote ReadBackupHolder(Registry& registry, const std::string& account,
                            BackupHolder* holder);

// Removes the note once Reset has removed the backup of `account`; another
// account's note stays, for that account's backup stays too. False, with
// what failed in `outcome`, when a note that names `account`, or may, stays.
bool ForgetBackupHolder(Registry& registry, const std::string& account,
                        StoreOutcome& outcome);

}  // namespace velo
