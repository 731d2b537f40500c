// Makes chosen calls fail, as a registry does for a user without the right
// to change HKEY_LOCAL_MACHINE or with a damaged hive, to show that the store
// reports what failed and never loses a value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/RegistryDecorator.h"

namespace velo {

struct Fault {
  RegCall call;
  std::string keyContains;  // empty: any key; compared without case
  uint32_t skip = 0;        // matching calls let through before failing
  uint32_t times = UINT32_MAX;  // matching calls that then fail
  RegStatus status = kRegAccessDenied;
};

class FaultInjectingRegistry : public RegistryDecorator {
 public:
  explicit FaultInjectingRegistry(Registry& inner) : RegistryDecorator(inner) {}

  void Add(const Fault& fault) { faults_.push_back(Rule{fault, 0}); }
  // As for a user without administrator rights: HKLM keys do not open for
  // writing and nothing there can be set or deleted.
  void DenyLocalMachineWrites() { denyLocalMachineWrites_ = true; }
  // Every call goes through again.
  void Heal();
  // Calls answered with a fault so far.
  uint32_t Injected() const { return injected_; }

 protected:
  RegStatus Before(const RegCallInfo& info) override;

 private:
  struct Rule {
    Fault fault;
    uint32_t matched;
  };
  std::vector<Rule> faults_;
  bool denyLocalMachineWrites_ = false;
  uint32_t injected_ = 0;
};

}  // namespace velo
