#include "store/BackupKey.h"

#include <string>
#include <vector>

#include "store/RegistryLocations.h"
#include "store/StoreKey.h"

namespace velo {

namespace {

// Copies every value and subkey of `from` into `to`, leaving out the
// completion mark at the top.
RegStatus CopyKeyTree(Registry& registry, const StoreKey& from,
                      const StoreKey& to, bool top, StoreOutcome& outcome) {
  std::vector<std::string> names;
  RegStatus status = from.ValueNames(&names);
  if (status != kRegOk) return status;
  for (const std::string& name : names) {
    if (top && name == kNewBackupCompleteValue) continue;
    RegValue value;
    status = from.Read(name, &value);
    // A value listed a moment ago is gone: the copy would not be whole.
    if (status == kRegNotFound)
      return from.Fail(StoreFailure::kReadValue, name, status);
    if (status != kRegOk) return status;
    status = to.Write(name, value);
    if (status != kRegOk) return status;
  }
  names.clear();
  status = from.SubKeyNames(&names);
  if (status != kRegOk) return status;
  for (const std::string& name : names) {
    StoreKey fromChild(registry, outcome);
    StoreKey toChild(registry, outcome);
    status = fromChild.Open(from, name, kAccessRead);
    if (status == kRegNotFound)
      return fromChild.Fail(StoreFailure::kOpenKey, "", status);
    if (status != kRegOk) return status;
    status = toChild.Create(to, name);
    if (status != kRegOk) return status;
    status = CopyKeyTree(registry, fromChild, toChild, false, outcome);
    if (status != kRegOk) return status;
  }
  return kRegOk;
}

// kRegOk when the new backup is marked complete, kRegNotFound when it is
// not; any other status: whether it is whole cannot be told, and neither
// copying it nor dropping it is safe.
RegStatus ReadCompleteMark(const StoreKey& newBackup) {
  RegValue mark;
  return newBackup.Read(kNewBackupCompleteValue, &mark);
}

// kRegOk when the backup is marked spent, kRegNotFound when it is not or
// there is none; any other status: it cannot be told.
RegStatus ReadSpentMark(Registry& registry, StoreOutcome& outcome) {
  StoreKey backup(registry, outcome);
  RegStatus status = backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead);
  if (status != kRegOk) return status;
  RegValue mark;
  return backup.Read(kSpentBackupValue, &mark);
}

}  // namespace

RegStatus SettleBackup(Registry& registry, StoreOutcome& outcome) {
  {
    StoreKey newBackup(registry, outcome);
    RegStatus status =
        newBackup.Open(kHkeyCurrentUser, kNewBackupKey, kAccessReadWrite);
    if (status != kRegOk && status != kRegNotFound) return status;
    if (status == kRegOk) status = ReadCompleteMark(newBackup);
    if (status != kRegOk && status != kRegNotFound) return status;
    if (status == kRegOk) {
      // The old backup may be gone already, or half overwritten: start the
      // copy afresh so that no old entry mixes with the new ones.
      status = DeleteKeyTree(registry, kHkeyCurrentUser, kBackupKey, outcome);
      if (status != kRegOk) return status;
      StoreKey backup(registry, outcome);
      status = backup.Create(kHkeyCurrentUser, kBackupKey);
      if (status != kRegOk) return status;
      status = CopyKeyTree(registry, newBackup, backup, true, outcome);
      if (status != kRegOk) return status;
      // The mark goes before the rest: a tree is deleted subkey by subkey
      // and its own values last, so a cut during the delete must leave a
      // leftover that is dropped, not one copied again with parts missing.
      status = newBackup.Delete(kNewBackupCompleteValue);
      if (status != kRegOk) return status;
    }
  }
  RegStatus status =
      DeleteKeyTree(registry, kHkeyCurrentUser, kNewBackupKey, outcome);
  if (status != kRegOk) return status;
  // A Reset cut short while it deleted the backup it had put back.
  status = ReadSpentMark(registry, outcome);
  if (status == kRegOk)
    return DeleteKeyTree(registry, kHkeyCurrentUser, kBackupKey, outcome);
  return status == kRegNotFound ? kRegOk : status;
}

RegStatus PromoteNewBackup(Registry& registry, StoreOutcome& outcome) {
  {
    StoreKey newBackup(registry, outcome);
    RegStatus status =
        newBackup.Open(kHkeyCurrentUser, kNewBackupKey, kAccessReadWrite);
    if (status == kRegNotFound)
      return newBackup.Fail(StoreFailure::kOpenKey, "", status);
    if (status != kRegOk) return status;
    status = newBackup.Write(kNewBackupCompleteValue, RegValue::Dword(1));
    if (status != kRegOk) return status;
  }
  return SettleBackup(registry, outcome);
}

RegStatus RemoveSpentBackup(Registry& registry, StoreOutcome& outcome) {
  {
    StoreKey backup(registry, outcome);
    RegStatus status =
        backup.Open(kHkeyCurrentUser, kBackupKey, kAccessReadWrite);
    if (status == kRegNotFound) return kRegOk;
    if (status != kRegOk) return status;
    status = backup.Write(kSpentBackupValue, RegValue::Dword(1));
    if (status != kRegOk) return status;
  }
  // Spent from here on: a delete cut short is finished at the next look.
  StoreOutcome leftover;
  DeleteKeyTree(registry, kHkeyCurrentUser, kBackupKey, leftover);
  return kRegOk;
}

BackupPresence LookForBackup(Registry& registry) {
  StoreOutcome outcome;
  if (SettleBackup(registry, outcome) != kRegOk) return kBackupUnknown;
  StoreKey backup(registry, outcome);
  switch (backup.Open(kHkeyCurrentUser, kBackupKey, kAccessRead)) {
    case kRegOk:
      return kBackupPresent;
    case kRegNotFound:
      return kBackupAbsent;
    default:
      return kBackupUnknown;
  }
}

}  // namespace velo
