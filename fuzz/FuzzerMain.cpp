// libFuzzer's entry for the target named by VELO_FUZZ_TARGET: a finding
// stops the run, so the input is kept.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const velo::FuzzTarget* target = [] {
    for (const velo::FuzzTarget& each : velo::FuzzTargets())
      if (std::strcmp(each.name, VELO_FUZZ_TARGET) == 0) return &each;
    std::fprintf(stderr, "no fuzz target named %s\n", VELO_FUZZ_TARGET);
    std::abort();
  }();
  std::string finding = target->run(data, size);
  if (!finding.empty()) {
    std::fprintf(stderr, "finding: %s\n", finding.c_str());
    std::abort();
  }
  return 0;
}
