#include "support/FaultInjectingRegistry.h"

#include <algorithm>
#include <cctype>

namespace velo {

namespace {

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  return std::search(text.begin(), text.end(), part.begin(), part.end(),
                     same) != text.end();
}

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
  denyLocalMachineWrites_ = false;
}

RegStatus FaultInjectingRegistry::Before(const RegCallInfo& info) {
  if (denyLocalMachineWrites_ && IsLocalMachineWrite(info)) {
    ++injected_;
    return kRegAccessDenied;
  }
  for (Rule& rule : faults_) {
    const Fault& fault = rule.fault;
    if (fault.call != info.call ||
        !ContainsIgnoringCase(info.key, fault.keyContains))
      continue;
    uint32_t seen = rule.matched++;
    if (seen >= fault.skip && seen - fault.skip < fault.times) {
      ++injected_;
      return fault.status;
    }
  }
  return kRegOk;
}

}  // namespace velo
