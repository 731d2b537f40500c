// One wizard run and Reset on a generated registry state: modem detection,
// backup, Finish and restore, with what each reported and how the registry
// then differs from what it must hold.
#pragma once

#include <string>
#include <vector>

#include "store/StoreOutcome.h"
#include "support/StoreScenario.h"

namespace velo {

struct StoreCycle {
  StoreScenario scenario;
  int32_t modemFound = 0;  // as detected
  BackupOutcome backup;
  ApplyOutcome apply;
  RestoreOutcome restore;
  bool applyChangedSettings = false;
  bool backupKeyLeft = false;
  std::vector<std::string> differences;  // from the expected registry
  IntendedDifferences made;
};

// The backup the wizard takes as it opens, for a test that needs neither the
// values nor the flags it reads.
BackupOutcome TakeBackup(Registry& registry, WindowsFamily family);

// With addInterface, an NT interface appears between backup and Finish.
StoreCycle RunStoreCycle(Registry& registry, WindowsFamily family,
                         uint32_t seed, bool addInterface);

}  // namespace velo
