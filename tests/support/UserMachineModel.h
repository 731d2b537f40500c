// A model of the user and the machine around the settings store: Set (Yes or
// No to the overwrite question), Cancel, Finish and Reset, from one copy of
// the program or two, administrator rights granted or taken away, one or two
// registry calls failing or the power going at any call, and other programs
// changing the machine between steps. Beside the in-memory machine
// runs an oracle of its own that follows what Reset must give back, and
// after every step checks:
// - a backup key, when there is one, is whole;
// - no step claims a success that did not happen (Finish wrote every value,
//   or changed nothing; Reset left what it must);
// - after a Reset that succeeded, every value Velocine wrote holds what it
//   held before Velocine first changed it, and every other value what others
//   last put there.
// Shared by the native sequence test and the fuzz target.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "registry/MemoryRegistry.h"
#include "store/SettingsRecord.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistrySnapshot.h"
#include "support/StoreScenario.h"

namespace velo {

class UserMachineModel {
 public:
  UserMachineModel(WindowsFamily family, uint32_t seed);

  // Takes one step: `choice` picks what happens, `detail` how.
  void Step(uint32_t choice, uint32_t detail);

  // What went wrong, each with the steps that led there; empty when all held.
  const std::vector<std::string>& Violations() const { return violations_; }
  // Steps taken, and how many Finish and Reset calls succeeded.
  int Steps() const { return steps_; }
  int Finished() const { return finished_; }
  int Restored() const { return restored_; }

 private:
  typedef std::pair<std::string, std::string> Location;  // key, value name

  void Set(bool overwrite);
  void Cancel();
  void Finish(uint32_t detail);
  void Reset();
  void InjectFault(uint32_t detail);
  void ToggleAdministrator();
  void OthersChange(uint32_t detail);

  // What other programs do.
  void ChangeTunedValue(uint32_t detail);
  void ChangeDeviceValue(uint32_t detail);
  void AddInterface();
  void RemoveDevice(uint32_t detail);
  void ChangeModem(uint32_t detail);
  void OthersRemoveTunedKey(const std::string& key);
  void OthersPut(const std::string& key, const std::string& name,
                 const RegValue& value);
  void OthersRemoveKey(const std::string& key);

  // The oracle's account of the family's values and devices.
  std::vector<std::string> Devices() const;
  // The values Finish writes now, by the oracle's own reading of the machine.
  std::vector<Location> FinishWrites() const;
  RegValue NewValue(const Location& location) const;
  void NoteWritten(const Location& location, const RegistrySnapshot& before);
  void NoteWritesOfCutFinish(const std::vector<Location>& writes,
                             const RegistrySnapshot& before);
  bool IsWritten(const std::string& key, const std::string& name) const;
  // `settings` with the 9x MaxMTU as a restore writes it back.
  RegistrySnapshot WithMtuAsRestored(RegistrySnapshot settings) const;
  void AdoptBackupTakenNow();
  // The key Reset will take the backup from; empty when there is none.
  std::string BackupAsResetFindsIt();
  bool BackupMatchesOrigin(const std::string& backupKey);
  void CheckAfterStep();
  void HealFaults();
  void Violation(const std::string& what);
  RegistrySnapshot Settings();

  WindowsFamily family_;
  MemoryRegistry memory_;
  FaultInjectingRegistry registry_;
  StoreScenario scenario_;
  SettingsRecord record_;
  int32_t modemFound_ = 0;

  bool administrator_ = true;
  // The open wizards (a second copy of the program may open one), each
  // whether its backup succeeded.
  std::vector<bool> wizards_;
  uint32_t nextName_ = 0;
  std::vector<std::string> interfaces_;  // NT interfaces there are now
  std::vector<std::string> modems_;      // modem keys there are now

  // The oracle.
  bool hasBackup_ = false;
  RegistrySnapshot origin_;    // what the backup must hold
  // What a Finish that failed may have noted in the backup instead: the
  // values as they were just before it.
  RegistrySnapshot noted_;
  RegistrySnapshot expected_;  // what a successful Reset must leave
  std::set<Location> written_;  // folded names Velocine wrote since
  // A Finish of this backup made the TCP/IP key, others having removed it.
  bool tcpipMade_ = false;

  std::vector<std::string> trace_;
  std::vector<std::string> violations_;
  int steps_ = 0;
  int finished_ = 0;
  int restored_ = 0;
};

}  // namespace velo
