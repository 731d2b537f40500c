#include "support/CountingRegistry.h"

#include <algorithm>

#include "support/RegistryEdit.h"

namespace velo {

uint64_t CountingRegistry::Total() const {
  uint64_t total = 0;
  for (uint64_t count : counts_) total += count;
  return total;
}

uint64_t CountingRegistry::MostCallsForOneValue() const {
  uint64_t most = 0;
  for (const auto& entry : perValue_) most = std::max(most, entry.second);
  return most;
}

void CountingRegistry::Reset() {
  std::fill(counts_, counts_ + kRegCallKinds, 0);
  perValue_.clear();
}

RegStatus CountingRegistry::Before(const RegCallInfo& info) {
  ++counts_[info.call];
  if (info.call == kCallQueryValue || info.call == kCallSetValue ||
      info.call == kCallDeleteValue)
    ++perValue_[RegCallName(info.call) + FoldedName(info.key) + "|" +
                FoldedName(info.value)];
  return kRegOk;
}

}  // namespace velo
