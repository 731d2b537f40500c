// Makes chosen calls fail, as a registry does for a user without the right
// to change HKEY_LOCAL_MACHINE or with a damaged hive, to show that the store
// reports what failed and never loses a value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/RegistryDecorator.h"

namespace velo {

// Every kind of registry call that can report a failure (closing cannot).
extern const std::vector<RegCall> kFailableRegCalls;

class FaultInjectingRegistry : public RegistryDecorator {
 public:
  explicit FaultInjectingRegistry(Registry& inner) : RegistryDecorator(inner) {}

  // The call of this kind after `skip` others fails once, access denied
  // unless told otherwise.
  void FailOnce(RegCall call, uint32_t skip,
                RegStatus status = kRegAccessDenied) {
    faults_.push_back(Fault{call, skip, 0, status});
  }
  // As when the power goes: every call after `calls` more fails (closing
  // aside, so that no handle is lost), until Heal.
  void CutAfter(uint32_t calls) {
    cut_ = true;
    callsBeforeCut_ = calls;
  }
  // Whether the cut has come: a call was refused since CutAfter.
  bool CutHappened() const { return cutHappened_; }
  // As for a user without administrator rights: HKLM keys do not open for
  // writing and nothing there can be set or deleted.
  void DenyLocalMachineWrites() { denyLocalMachineWrites_ = true; }
  // Every open or create of `key` ("HKCU\\Software\\...") answers `status`,
  // as a key whose rights deny the user, or a system short of resources.
  // Access denied is also how Windows refuses a key whose permissions are
  // the system's alone.
  void FailOpensOf(const std::string& key, RegStatus status) {
    failingKeys_.push_back(FailingKey{key, status});
  }
  // Every `call` on the value `value` of `key` (a read, a write or a
  // delete), or on any value of `key` when `value` is empty, answers
  // `status`: a damaged hive, or a system short of resources, refuses a
  // read as well as an open.
  void FailValueCalls(RegCall call, const std::string& key, RegStatus status,
                      const std::string& value = "") {
    failingValues_.push_back(FailingValue{call, key, value, status});
  }
  // Every call goes through again.
  void Heal();
  // Calls answered with a fault so far.
  uint32_t Injected() const { return injected_; }

 protected:
  RegStatus Before(const RegCallInfo& info) override;

 private:
  struct Fault {
    RegCall call;
    uint32_t skip;
    uint32_t seen;
    RegStatus status;
  };
  struct FailingKey {
    std::string key;
    RegStatus status;
  };
  std::vector<Fault> faults_;
  std::vector<FailingKey> failingKeys_;
  struct FailingValue {
    RegCall call;
    std::string key;
    std::string value;
    RegStatus status;
  };
  std::vector<FailingValue> failingValues_;
  bool denyLocalMachineWrites_ = false;
  bool cut_ = false;
  uint32_t callsBeforeCut_ = 0;
  bool cutHappened_ = false;
  uint32_t injected_ = 0;
};

}  // namespace velo
