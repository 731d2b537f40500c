// The page that shows an administrator what Finish writes on each Windows
// release, and on what Microsoft's texts each place rests: made from the
// store's location tables, so the page and the program cannot disagree.
#pragma once

#include <string>

namespace velo {

// The whole page, in Markdown.
std::string RegistryValuesPage();

}  // namespace velo
