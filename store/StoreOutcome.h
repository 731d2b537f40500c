// What a store operation could not do. The callers tell the user the truth
// from it: a success message only when every change was made.
#pragma once

#include <string>
#include <vector>

#include "registry/Registry.h"

namespace velo {

// One registry call that failed.
struct StoreFailure {
  enum Action {
    kOpenKey,
    kCreateKey,
    kDeleteKey,
    kListKey,  // enumerating subkeys or value names
    kReadValue,
    kWriteValue,
    kDeleteValue,
  };
  Action action;
  std::string key;    // e.g. "HKLM\System\CurrentControlSet\Services\VxD\MSTCP"
  std::string value;  // the value's name; empty for the key actions
  RegStatus status;
};

class StoreOutcome {
 public:
  bool Succeeded() const { return failures_.empty(); }
  const std::vector<StoreFailure>& Failures() const { return failures_; }

  void Add(StoreFailure::Action action, const std::string& key,
           const std::string& value, RegStatus status) {
    failures_.push_back(StoreFailure{action, key, value, status});
  }
  void Append(const StoreOutcome& other) {
    failures_.insert(failures_.end(), other.failures_.begin(),
                     other.failures_.end());
  }

 private:
  std::vector<StoreFailure> failures_;
};

// A backup that failed may lack values that exist, and a restore from it
// would delete them: its caller should not apply over it.
typedef StoreOutcome BackupOutcome;
// Succeeded() when every value Finish meant to write was written.
struct ApplyOutcome : StoreOutcome {
  // No device carries the chosen connection where this Windows reads the
  // MTU and MSS: they were left as they were, and the backup does not list
  // them as written.
  bool mtuLeftAlone = false;
  // Values that a Finish which failed half way could not put back as they
  // were ("HKLM\\...\\Key : Name"): they keep what Finish wrote, and the
  // backup still lists their keys, so Reset puts them back.
  std::vector<std::string> notPutBack;
  // A device carries the chosen connection whose MTU this Windows does not
  // read (NT 4.0's RAS before Service Pack 4): it was left as it was.
  bool mtuNotRead = false;
  // 95/98/Me's Dial-Up Adapter was given an MTU above 576, a ceiling only:
  // Dial-Up Networking sends 576 below 128 kbit/s while a connection's IP
  // Packet Size is Automatic (KB 183437).
  bool mtuCappedByDialUp = false;
  // The backup could not be read (its key, a replacement of it cut short
  // that could not be settled, or what it lists as written): nothing was
  // written, for Finish would have noted tuned values as originals.
  bool backupNotRead = false;
};

enum RestoreResult {
  kNoBackup,           // there is no backup key: nothing was changed
  kRestoredAll,        // everything was put back and the backup removed
  kRestoreIncomplete,  // see Failures(); the backup stays for another try
  // The backup key could not be opened, or a replacement of it cut short
  // could not be settled: nothing was changed.
  kBackupNotRead,
};

struct RestoreOutcome : StoreOutcome {
  RestoreResult result = kNoBackup;
  // Everything was put back, but the note that the account holds the
  // backup could not be removed (or read): the backup stays with it.
  bool holderNoteKept = false;
};

}  // namespace velo
