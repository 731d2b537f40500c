// What the program relies on from a registry. The same cases run against the
// in-memory registry natively and against the real one under Wine, so the two
// cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "registry/RegKey.h"
#include "support/FaultInjectingRegistry.h"
#include "support/RegistryUnderTest.h"

namespace velo {
namespace {

const uint8_t kPoison = 0xA5;

class RegistryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = MakeRegistryUnderTest();
    registry_->DeleteTree(kHkeyCurrentUser, kContractSandbox);
    ASSERT_EQ(kRegOk, registry_->CreateKey(kHkeyCurrentUser, kContractSandbox,
                                           kAccessReadWrite, &sandbox_));
  }
  void TearDown() override {
    registry_->CloseKey(sandbox_);
    registry_->DeleteTree(kHkeyCurrentUser, kContractSandbox);
  }

  RegStatus Set(RegHandle key, const char* name, RegType type,
                const std::string& bytes) {
    return registry_->SetValue(key, name, type,
                               reinterpret_cast<const uint8_t*>(bytes.data()),
                               static_cast<uint32_t>(bytes.size()));
  }

  std::unique_ptr<Registry> registry_;
  RegHandle sandbox_ = kRegNoHandle;
};

TEST_F(RegistryContract, KeysAndValuesAreFoundWithoutRegardToCase) {
  RegHandle created, opened;
  ASSERT_EQ(kRegOk, registry_->CreateKey(sandbox_, "Outer\\Inner",
                                         kAccessReadWrite, &created));
  ASSERT_EQ(kRegOk, Set(created, "MaxMTU", kRegSz, std::string("576\0", 4)));
  ASSERT_EQ(kRegOk,
            registry_->OpenKey(sandbox_, "OUTER\\inner", kAccessRead, &opened));
  RegType type = 0;
  uint32_t size = 0;
  EXPECT_EQ(kRegOk, registry_->QueryValue(opened, "maxmtu", &type, nullptr,
                                          &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(4u, size);
  RegHandle missing;
  EXPECT_EQ(kRegNotFound,
            registry_->OpenKey(sandbox_, "Outer\\Absent", kAccessRead, &missing));
  EXPECT_EQ(kRegNotFound,
            registry_->QueryValue(opened, "MaxMSS", &type, nullptr, &size));
  registry_->CloseKey(created);
  registry_->CloseKey(opened);
}

TEST_F(RegistryContract, ShortBufferReportsNeededSizeAndIsLeftUntouched) {
  ASSERT_EQ(kRegOk, Set(sandbox_, "Text", kRegSz, std::string("1500\0", 5)));
  uint8_t buffer[8];
  std::memset(buffer, kPoison, sizeof buffer);
  RegType type = 0xdeadbeef;
  uint32_t size = 3;
  EXPECT_EQ(kRegMoreData,
            registry_->QueryValue(sandbox_, "Text", &type, buffer, &size));
  EXPECT_EQ(5u, size);
  EXPECT_EQ(kRegSz, type);
  for (uint8_t byte : buffer) EXPECT_EQ(kPoison, byte);
}

TEST_F(RegistryContract, StringsWithoutTerminatorKeepTheirExactLength) {
  // Stored without its NUL: the read appends one only when there is room
  // and does not count it; the stored length stays three bytes.
  ASSERT_EQ(kRegOk, Set(sandbox_, "Bare", kRegSz, "abc"));
  uint8_t buffer[8];
  std::memset(buffer, kPoison, sizeof buffer);
  uint32_t size = sizeof buffer;
  RegType type = 0;
  ASSERT_EQ(kRegOk, registry_->QueryValue(sandbox_, "Bare", &type, buffer,
                                          &size));
  EXPECT_EQ(3u, size);
  EXPECT_EQ(0, std::memcmp(buffer, "abc", 4));
  EXPECT_EQ(kPoison, buffer[4]);

  size = 3;
  std::memset(buffer, kPoison, sizeof buffer);
  ASSERT_EQ(kRegOk, registry_->QueryValue(sandbox_, "Bare", &type, buffer,
                                          &size));
  EXPECT_EQ(3u, size);
  EXPECT_EQ(kPoison, buffer[3]) << "no room for a NUL, so none is written";

  ASSERT_EQ(kRegOk, Set(sandbox_, "Empty", kRegSz, ""));
  size = sizeof buffer;
  ASSERT_EQ(kRegOk, registry_->QueryValue(sandbox_, "Empty", &type, buffer,
                                          &size));
  EXPECT_EQ(0u, size);
}

TEST_F(RegistryContract, WholeValuesOfAnySizeAndTypeReadBackExactly) {
  RegKey key(*registry_);
  ASSERT_EQ(kRegOk, key.Open(kHkeyCurrentUser, kContractSandbox,
                             kAccessReadWrite));
  RegValue big;
  big.type = kRegBinary;
  for (int i = 0; i < 10000; ++i) big.data.push_back(static_cast<uint8_t>(i));
  RegValue odd;
  odd.type = kRegSz;
  odd.data = {'4', '2'};  // no terminating NUL
  RegValue wrongType = RegValue::Text("64");
  ASSERT_EQ(kRegOk, key.Write("Big", big));
  ASSERT_EQ(kRegOk, key.Write("Odd", odd));
  ASSERT_EQ(kRegOk, key.Write("DefaultTTL", wrongType));
  RegValue read;
  ASSERT_EQ(kRegOk, key.Read("Big", &read));
  EXPECT_EQ(big, read);
  ASSERT_EQ(kRegOk, key.Read("Odd", &read));
  EXPECT_EQ(odd, read);
  EXPECT_EQ("42", read.AsText());
  ASSERT_EQ(kRegOk, key.Read("DefaultTTL", &read));
  EXPECT_EQ(wrongType, read);
  EXPECT_EQ(kRegNotFound, key.Read("Absent", &read));
}

TEST_F(RegistryContract, DeletingValuesAndTrees) {
  ASSERT_EQ(kRegOk, Set(sandbox_, "Gone", kRegDword, std::string(4, '\1')));
  EXPECT_EQ(kRegOk, registry_->DeleteValue(sandbox_, "GONE"));
  EXPECT_EQ(kRegNotFound, registry_->DeleteValue(sandbox_, "Gone"));

  RegHandle inner;
  ASSERT_EQ(kRegOk, registry_->CreateKey(sandbox_, "Tree\\Branch\\Leaf",
                                         kAccessReadWrite, &inner));
  EXPECT_EQ(kRegOk, registry_->DeleteTree(sandbox_, "tree"));
  RegHandle opened;
  EXPECT_EQ(kRegNotFound,
            registry_->OpenKey(sandbox_, "Tree", kAccessRead, &opened));
  uint32_t size = 0;
  RegType type;
  EXPECT_EQ(kRegKeyDeleted,
            registry_->QueryValue(inner, "x", &type, nullptr, &size));
  registry_->CloseKey(inner);
  EXPECT_EQ(kRegNotFound, registry_->DeleteTree(sandbox_, "Tree"));
}

// Windows deletes a tree subkey by subkey and the key with its own values
// last; the tests' fault injection and power cuts stop a delete between two
// keys as they can on Windows.
TEST_F(RegistryContract, ATreeDeleteStoppedHalfWayKeepsTheKeyAndItsValues) {
  RegHandle tree, deep, later;
  ASSERT_EQ(kRegOk, registry_->CreateKey(sandbox_, "Tree", kAccessReadWrite,
                                         &tree));
  ASSERT_EQ(kRegOk, Set(tree, "Mark", kRegDword, std::string(4, '\1')));
  ASSERT_EQ(kRegOk, registry_->CreateKey(tree, "A\\Deep", kAccessReadWrite,
                                         &deep));
  ASSERT_EQ(kRegOk, Set(deep, "Entry", kRegSz, std::string("0\0", 2)));
  ASSERT_EQ(kRegOk, registry_->CreateKey(tree, "B", kAccessReadWrite, &later));
  registry_->CloseKey(deep);
  registry_->CloseKey(later);

  FaultInjectingRegistry faulty(*registry_);
  faulty.FailOnce(kCallDeleteTree, 3);  // Tree, A, A\Deep go through; B not
  EXPECT_EQ(kRegAccessDenied, faulty.DeleteTree(sandbox_, "Tree"));
  RegType type = 0;
  uint32_t size = 0;
  EXPECT_EQ(kRegOk, registry_->QueryValue(tree, "Mark", &type, nullptr, &size))
      << "the key's own values go last";
  RegHandle opened = kRegNoHandle;
  EXPECT_EQ(kRegNotFound,
            registry_->OpenKey(tree, "A", kAccessRead, &opened));
  ASSERT_EQ(kRegOk, registry_->OpenKey(tree, "B", kAccessRead, &opened));
  registry_->CloseKey(opened);

  faulty.Heal();
  EXPECT_EQ(kRegOk, faulty.DeleteTree(sandbox_, "Tree"));
  EXPECT_EQ(kRegKeyDeleted,
            registry_->QueryValue(tree, "Mark", &type, nullptr, &size));
  EXPECT_EQ(kRegNotFound,
            registry_->OpenKey(sandbox_, "Tree", kAccessRead, &opened));
  registry_->CloseKey(tree);
}

TEST_F(RegistryContract, ReadOnlyHandlesRefuseChanges) {
  RegHandle readOnly;
  ASSERT_EQ(kRegOk, registry_->OpenKey(kHkeyCurrentUser, kContractSandbox,
                                       kAccessRead, &readOnly));
  EXPECT_EQ(kRegAccessDenied, Set(readOnly, "X", kRegDword, "abcd"));
  ASSERT_EQ(kRegOk, Set(sandbox_, "X", kRegDword, "abcd"));
  EXPECT_EQ(kRegAccessDenied, registry_->DeleteValue(readOnly, "X"));
  registry_->CloseKey(readOnly);
}

TEST_F(RegistryContract, EnumerationAndKeyInformation) {
  for (const char* name : {"{B}", "a", "Interface-With-A-Longer-Name"}) {
    RegHandle sub;
    ASSERT_EQ(kRegOk,
              registry_->CreateKey(sandbox_, name, kAccessReadWrite, &sub));
    registry_->CloseKey(sub);
  }
  ASSERT_EQ(kRegOk, Set(sandbox_, "MTU", kRegDword, "abcd"));
  ASSERT_EQ(kRegOk, Set(sandbox_, "LongerValueName", kRegBinary,
                        std::string(40, 'x')));

  RegKeyInfo info;
  ASSERT_EQ(kRegOk, registry_->QueryInfoKey(sandbox_, &info));
  EXPECT_EQ(3u, info.subKeys);
  EXPECT_EQ(28u, info.maxSubKeyLen);
  EXPECT_EQ(2u, info.values);
  EXPECT_EQ(15u, info.maxValueNameLen);
  EXPECT_EQ(40u, info.maxValueLen);

  std::vector<std::string> keys;
  char name[64];
  for (uint32_t i = 0;; ++i) {
    uint32_t length = sizeof name;
    RegStatus status = registry_->EnumKey(sandbox_, i, name, &length);
    if (status == kRegNoMoreItems) break;
    ASSERT_EQ(kRegOk, status);
    EXPECT_EQ(std::strlen(name), length);
    keys.push_back(name);
  }
  EXPECT_EQ((std::vector<std::string>{"a", "Interface-With-A-Longer-Name",
                                      "{B}"}),
            keys);

  uint32_t shortLength = 5;
  EXPECT_EQ(kRegMoreData, registry_->EnumKey(sandbox_, 1, name, &shortLength));
  uint32_t exact = 28;  // no room for the NUL
  EXPECT_EQ(kRegMoreData, registry_->EnumKey(sandbox_, 1, name, &exact));

  std::set<std::string> values;
  for (uint32_t i = 0;; ++i) {
    uint32_t length = sizeof name;
    RegType type = 0;
    uint8_t data[64];
    uint32_t dataLen = sizeof data;
    RegStatus status = registry_->EnumValue(sandbox_, i, name, &length, &type,
                                            data, &dataLen);
    if (status == kRegNoMoreItems) break;
    ASSERT_EQ(kRegOk, status);
    values.insert(name);
    EXPECT_EQ(std::string(name) == "MTU" ? 4u : 40u, dataLen);
  }
  EXPECT_EQ((std::set<std::string>{"MTU", "LongerValueName"}), values);

  RegKey key(*registry_);
  ASSERT_EQ(kRegOk, key.Open(kHkeyCurrentUser, kContractSandbox, kAccessRead));
  std::string whole;
  ASSERT_EQ(kRegOk, key.SubKeyName(1, &whole));
  EXPECT_EQ("Interface-With-A-Longer-Name", whole);
  EXPECT_EQ(kRegNoMoreItems, key.SubKeyName(3, &whole));
}

TEST_F(RegistryContract, CreatingAnExistingKeyOpensIt) {
  RegHandle first, second;
  ASSERT_EQ(kRegOk, registry_->CreateKey(sandbox_, "Same", kAccessReadWrite,
                                         &first));
  ASSERT_EQ(kRegOk, Set(first, "Kept", kRegDword, "wxyz"));
  ASSERT_EQ(kRegOk, registry_->CreateKey(sandbox_, "SAME", kAccessReadWrite,
                                         &second));
  uint32_t size = 0;
  RegType type;
  EXPECT_EQ(kRegOk, registry_->QueryValue(second, "Kept", &type, nullptr, &size));
  registry_->CloseKey(first);
  registry_->CloseKey(second);
}

}  // namespace
}  // namespace velo
