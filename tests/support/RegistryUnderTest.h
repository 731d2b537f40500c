// The registry implementation the shared contract tests run against: the
// in-memory one natively, the real one under Wine. Each build defines
// MakeRegistryUnderTest once.
#pragma once

#include <memory>
#include <string>

#include "registry/Registry.h"

namespace velo {

std::unique_ptr<Registry> MakeRegistryUnderTest();

// A key under HKEY_CURRENT_USER that the contract tests may fill and delete.
const char* const kContractSandbox = "Software\\VelocineContractTest";

}  // namespace velo
