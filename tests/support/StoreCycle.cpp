#include "support/StoreCycle.h"

#include "store/Apply.h"
#include "store/Backup.h"
#include "store/ModemPortSpeed.h"
#include "store/Restore.h"
#include "support/RegistryEdit.h"

namespace velo {

BackupOutcome TakeBackup(Registry& registry, WindowsFamily family) {
  SettingsRecord record;
  FoundFlags found;
  return BackupSettings(registry, family, record, found);
}

StoreCycle RunStoreCycle(Registry& registry, WindowsFamily family,
                         uint32_t seed, bool addInterface) {
  StoreCycle cycle;
  cycle.scenario = SeedStoreScenario(registry, family, seed);
  DetectBoostableModem(registry, family, cycle.modemFound);
  SettingsRecord record = cycle.scenario.record;
  FoundFlags found;
  cycle.backup = BackupSettings(registry, family, record, found);
  if (addInterface) AddInterface(registry, "{Added-After-Backup}");
  RegistrySnapshot before = SettingsSnapshot(registry, family);

  cycle.apply = ApplySettings(registry, family, record, cycle.modemFound);
  RegistrySnapshot applied = SettingsSnapshot(registry, family);
  cycle.applyChangedSettings = !before.Differences(applied).empty();

  cycle.restore = RestoreBackup(registry, family);
  cycle.backupKeyLeft = KeyExists(registry, kBackupKeyName);
  cycle.differences =
      ExpectedAfterRestore(before, cycle.scenario, &cycle.made)
          .Differences(SettingsSnapshot(registry, family));
  return cycle;
}

}  // namespace velo
