// The two classes of the skin component that the stand-in serves, by the
// name its log gives them. Shared by the stand-in and the test code that
// registers it; written out here on purpose rather than taken from the
// program, so a wrong class id in the program shows as a missing call.
#pragma once

namespace velo {

struct StandInClass {
  const char* name;     // how the log names the object
  const char* classId;  // as the registry spells it
};

const StandInClass kStandInClasses[] = {
    {"skin", "{BA8C584B-209C-4D54-8BB1-8AB5F1DCA18E}"},
    {"splash", "{6241AF3F-2B41-41AD-A268-68CD710D34C2}"},
};

}  // namespace velo
