#include "fuzz/FuzzTargets.h"

namespace velo {

const std::vector<FuzzTarget>& FuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"language_file", FuzzLanguageFile},
      {"number_text", FuzzNumberText},
      {"flag_header", FuzzFlagHeader},
      {"user_machine", FuzzUserMachine},
      {"regedit_file", FuzzRegeditFile},
  };
  return targets;
}

}  // namespace velo
