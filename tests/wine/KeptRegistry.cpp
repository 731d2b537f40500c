#include "KeptRegistry.h"

#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {

KeptRegistry::KeptRegistry(WindowsFamily family) : kept_(registry_, family) {
  RemoveKey(registry_, kBackupKeyName);
}

}  // namespace velo
