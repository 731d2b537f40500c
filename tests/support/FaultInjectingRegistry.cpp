#include "support/FaultInjectingRegistry.h"

#include "registry/PathNames.h"

namespace velo {

const std::vector<RegCall> kFailableRegCalls = {
    kCallOpenKey,    kCallCreateKey, kCallQueryValue, kCallSetValue,
    kCallDeleteValue, kCallDeleteTree, kCallEnumKey,   kCallEnumValue,
    kCallQueryInfoKey};

namespace {

bool IsLocalMachineWrite(const RegCallInfo& info) {
  if (info.key.compare(0, 5, "HKLM\\") != 0) return false;
  switch (info.call) {
    case kCallOpenKey:
    case kCallCreateKey:
      return info.access == kAccessReadWrite;
    case kCallSetValue:
    case kCallDeleteValue:
    case kCallDeleteTree:
      return true;
    default:
      return false;
  }
}

}  // namespace

void FaultInjectingRegistry::Heal() {
  faults_.clear();
  failingKeys_.clear();
  failingValues_.clear();
  denyLocalMachineWrites_ = false;
  cut_ = false;
  cutHappened_ = false;
}

RegStatus FaultInjectingRegistry::Before(const RegCallInfo& info) {
  if (cut_ && info.call != kCallCloseKey) {
    if (callsBeforeCut_ == 0) {
      ++injected_;
      cutHappened_ = true;
      return kRegAccessDenied;
    }
    --callsBeforeCut_;
  }
  if (denyLocalMachineWrites_ && IsLocalMachineWrite(info)) {
    ++injected_;
    return kRegAccessDenied;
  }
  if (info.call == kCallOpenKey || info.call == kCallCreateKey)
    for (const FailingKey& failing : failingKeys_)
      if (NamesEqual(failing.key, info.key)) {
        ++injected_;
        return failing.status;
      }
  for (const FailingValue& failing : failingValues_)
    if (failing.call == info.call && NamesEqual(failing.key, info.key) &&
        (failing.value.empty() || NamesEqual(failing.value, info.value))) {
      ++injected_;
      return failing.status;
    }
  for (Fault& fault : faults_) {
    if (fault.call == info.call && fault.seen++ == fault.skip) {
      ++injected_;
      return fault.status;
    }
  }
  return kRegOk;
}

}  // namespace velo
