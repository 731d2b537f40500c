// Counts the calls made through it, by kind, and how often the same kind of
// call reached one value of one key, to show that the store's cost grows
// with the registry and that no value is asked for twice.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "support/RegistryDecorator.h"

namespace velo {

class CountingRegistry : public RegistryDecorator {
 public:
  explicit CountingRegistry(Registry& inner) : RegistryDecorator(inner) {}

  uint64_t Count(RegCall call) const { return counts_[call]; }
  uint64_t Total() const;
  uint64_t MostCallsForOneValue() const;
  void Reset();

 protected:
  RegStatus Before(const RegCallInfo& info) override;

 private:
  uint64_t counts_[kRegCallKinds] = {};
  std::map<std::string, uint64_t> perValue_;
};

}  // namespace velo
