#include "registry/MemoryRegistry.h"
#include "support/RegistryUnderTest.h"

namespace velo {

std::unique_ptr<Registry> MakeRegistryUnderTest() {
  return std::unique_ptr<Registry>(new MemoryRegistry());
}

}  // namespace velo
