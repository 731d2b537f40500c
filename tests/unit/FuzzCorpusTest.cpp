// Every fuzz target replays its seed corpus, so a regression that fuzzing
// once found shows up in the normal test run without fuzzing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/FuzzTargets.h"

namespace velo {
namespace {

namespace fs = std::filesystem;

fs::path CorpusOf(const std::string& target) {
  return fs::path(__FILE__).parent_path().parent_path().parent_path() /
         "fuzz" / "corpus" / target;
}

class FuzzCorpus : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzCorpus, EveryInputPasses) {
  int inputs = 0;
  ASSERT_TRUE(fs::is_directory(CorpusOf(GetParam().name)));
  for (const fs::directory_entry& file :
       fs::directory_iterator(CorpusOf(GetParam().name))) {
    std::ifstream in(file.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string input = bytes.str();
    std::string finding = GetParam().run(
        reinterpret_cast<const uint8_t*>(input.data()), input.size());
    EXPECT_EQ("", finding) << file.path().filename();
    ++inputs;
  }
  EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(
    SeedCorpus, FuzzCorpus, ::testing::ValuesIn(FuzzTargets()),
    [](const ::testing::TestParamInfo<FuzzTarget>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace velo
