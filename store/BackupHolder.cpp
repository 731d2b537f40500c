#include "store/BackupHolder.h"

#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

namespace velo {

namespace {

// Account names are told apart without regard to case, as Windows does.
bool SameAccount(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The note as ReadBackupHolder reads it, each failure in `outcome`.
HolderNote ReadNote(Registry& registry, const std::string& account,
                    BackupHolder* holder, StoreOutcome& outcome) {
  StoreKey note(registry, outcome);
  RegStatus status = note.Open(kHkeyLocalMachine, kBackupHolderKey, kAccessRead);
  if (status == kRegNotFound) return kNoNote;
  if (status != kRegOk) return kNoteUnreadable;
  RegValue name;
  status = note.Read(kBackupHolderValue, &name);
  if (status == kRegNotFound) return kNoNote;
  if (status != kRegOk || !IsStringType(name.type)) return kNoteUnreadable;
  holder->account = name.AsText();
  // The time only tells the reader more; a note without it still names.
  RegValue taken;
  holder->taken = note.Read(kBackupTakenValue, &taken) == kRegOk &&
                          IsStringType(taken.type)
                      ? taken.AsText()
                      : std::string();
  return SameAccount(holder->account, account) ? kNoteOfThisAccount
                                               : kNoteOfAnotherAccount;
}

}  // namespace

RegStatus NoteBackupHolder(Registry& registry, const BackupHolder& holder) {
  StoreOutcome outcome;
  StoreKey note(registry, outcome);
  RegStatus status = note.Create(kHkeyLocalMachine, kBackupHolderKey);
  if (status != kRegOk) return status;
  status = note.Write(kBackupHolderValue, RegValue::Text(holder.account));
  if (status != kRegOk) return status;
  return note.Write(kBackupTakenValue, RegValue::Text(holder.taken));
}

HolderNote ReadBackupHolder(Registry& registry, const std::string& account,
                            BackupHolder* holder) {
  StoreOutcome outcome;
  return ReadNote(registry, account, holder, outcome);
}

bool ForgetBackupHolder(Registry& registry, const std::string& account,
                        StoreOutcome& outcome) {
  BackupHolder holder;
  switch (ReadNote(registry, account, &holder, outcome)) {
    case kNoteOfThisAccount:
      break;
    case kNoteUnreadable:
      return false;
    default:
      return true;
  }
  StoreKey note(registry, outcome);
  // The name goes first: a note without it names no one.
  return note.Open(kHkeyLocalMachine, kBackupHolderKey, kAccessReadWrite) ==
             kRegOk &&
         note.Delete(kBackupHolderValue) == kRegOk &&
         note.Delete(kBackupTakenValue) == kRegOk;
}

}  // namespace velo
