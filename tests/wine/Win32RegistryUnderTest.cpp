#include "registry/Win32Registry.h"
#include "support/RegistryUnderTest.h"

namespace velo {

std::unique_ptr<Registry> MakeRegistryUnderTest() {
  return std::unique_ptr<Registry>(new Win32Registry());
}

}  // namespace velo
