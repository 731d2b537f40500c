// Key and value names as Windows compares them: without regard to case.
#pragma once

#include <string>
#include <vector>

namespace velo {

bool NamesEqual(const std::string& a, const std::string& b);
bool NameLess(const std::string& a, const std::string& b);
// The name in one case, so that names equal without regard to case are
// equal strings.
std::string FoldedName(const std::string& name);
// "A\B\C" -> {"A", "B", "C"}; empty parts are dropped.
std::vector<std::string> SplitKeyPath(const std::string& path);

}  // namespace velo
