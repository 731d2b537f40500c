#include "registry/Win32Registry.h"
#include "support/RegistryUnderTest.h"

namespace velo {

std::unique_ptr<Registry> MakeRegistryUnderTest() {
  return std::unique_ptr<Registry>(new Win32Registry());
}

}  // namespace velo

#include <gtest/gtest.h>

#include "registry/RegKey.h"

namespace velo {
namespace {

// The walk that stands in for the shell's key deletion on systems without it.
TEST(Win32RegistryDeleteTreeByHand, RemovesEveryLevelAndOnlyTheTree) {
  Win32Registry registry;
  registry.DeleteTree(kHkeyCurrentUser, kContractSandbox);
  RegKey key(registry);
  for (const char* path : {"\\Tree\\A\\Deep\\Deeper", "\\Tree\\B", "\\Kept"}) {
    ASSERT_EQ(kRegOk, key.Create(kHkeyCurrentUser,
                                 std::string(kContractSandbox) + path,
                                 kAccessReadWrite));
    ASSERT_EQ(kRegOk, key.Write("v", RegValue::Dword(1)));
  }
  key.Close();
  EXPECT_EQ(kRegOk, DeleteTreeByHand(kHkeyCurrentUser,
                                     std::string(kContractSandbox) + "\\Tree"));
  EXPECT_EQ(kRegNotFound, key.Open(kHkeyCurrentUser,
                                   std::string(kContractSandbox) + "\\Tree",
                                   kAccessRead));
  EXPECT_EQ(kRegOk, key.Open(kHkeyCurrentUser,
                             std::string(kContractSandbox) + "\\Kept",
                             kAccessRead));
  key.Close();
  EXPECT_EQ(kRegNotFound, DeleteTreeByHand(kHkeyCurrentUser,
                                           std::string(kContractSandbox) + "\\Tree"));
  registry.DeleteTree(kHkeyCurrentUser, kContractSandbox);
}

}  // namespace
}  // namespace velo
