// Key and value names as Windows compares them: without regard to case.
#pragma once

#include <string>
#include <vector>

namespace velo {

bool NamesEqual(const std::string& a, const std::string& b);
bool NameLess(const std::string& a, const std::string& b);
// "A\B\C" -> {"A", "B", "C"}; empty parts are dropped.
std::vector<std::string> SplitKeyPath(const std::string& path);

}  // namespace velo
