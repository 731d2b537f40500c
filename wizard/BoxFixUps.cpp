#include "wizard/BoxFixUps.h"

#include "framework/IntegerText.h"

namespace velo {

int32_t AtLeastLowest(int32_t value, BoxBound bound) {
  return value < bound.lowest ? bound.recommended : value;
}

int32_t SettleOnLeaving(const std::string& boxText, BoxBound bound,
                        bool* rewrite) {
  const int32_t read = static_cast<int32_t>(ParseLeadingUint32(boxText));
  *rewrite = read < bound.lowest;
  return AtLeastLowest(read, bound);
}

}  // namespace velo
