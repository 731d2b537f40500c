// Files of the source tree the Wine tests were compiled from, named as a
// Windows program under Wine reaches them.
#pragma once

#include <string>

namespace velo {

// `relative` ("res/Lang") below the source tree, as a Windows path.
std::string SourcePath(const std::string& relative);

}  // namespace velo
