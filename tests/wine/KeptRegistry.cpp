#include "KeptRegistry.h"

#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {

namespace {

std::vector<SubTree> KeptTrees(WindowsFamily family) {
  std::vector<SubTree> trees = SettingsSubTrees(family);
  trees.push_back(SubTree{kHkeyCurrentUser, "Software\\Velocine"});
  return trees;
}

}  // namespace

KeptRegistry::KeptRegistry(WindowsFamily family)
    : family_(family),
      original_(RegistrySnapshot::Take(registry_, KeptTrees(family))) {
  RemoveKey(registry_, kBackupKeyName);
}

KeptRegistry::~KeptRegistry() { original_.PutBack(registry_); }

RegistrySnapshot KeptRegistry::Settings() {
  return RegistrySnapshot::Take(registry_, SettingsSubTrees(family_));
}

}  // namespace velo
