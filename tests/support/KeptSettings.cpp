#include "support/KeptSettings.h"

#include "support/StoreScenario.h"

namespace velo {

namespace {

std::vector<SubTree> KeptTrees(WindowsFamily family) {
  std::vector<SubTree> trees = SettingsSubTrees(family);
  trees.push_back(
      SubTree{kHkeyCurrentUser, std::string(kProgramKeyName).substr(5)});
  return trees;
}

}  // namespace

KeptSettings::KeptSettings(Registry& registry, WindowsFamily family)
    : registry_(registry),
      family_(family),
      original_(RegistrySnapshot::Take(registry, KeptTrees(family))) {}

KeptSettings::~KeptSettings() { PutBack(); }

void KeptSettings::PutBack() const { original_.PutBack(registry_); }

RegistrySnapshot KeptSettings::Settings() const {
  return SettingsSnapshot(registry_, family_);
}

}  // namespace velo
