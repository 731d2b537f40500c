#include "fuzz/FuzzTargets.h"
#include "support/UserMachineModel.h"

namespace velo {

// The first byte picks the family, the second the machine; then three bytes
// a step: what happens and how.
std::string FuzzUserMachine(const uint8_t* data, size_t size) {
  const size_t kMostSteps = 48;
  if (size < 2) return "";
  UserMachineModel model(data[0] & 1 ? kFamilyNT : kFamily9x, data[1] + 1u);
  for (size_t at = 2; at + 3 <= size && model.Steps() < int(kMostSteps);
       at += 3)
    model.Step(data[at], data[at + 1] | (data[at + 2] << 8));
  return model.Violations().empty() ? "" : model.Violations()[0];
}

}  // namespace velo
