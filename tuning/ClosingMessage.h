// What Finish tells the user once every value it meant to write was
// written: the congratulation, and beside it the settings it left as they
// were because this Windows does not read them, or else because this
// computer has no device of the chosen kind, and where Dial-Up Networking
// may send smaller packets than the MTU written.
#pragma once

#include <string>

#include "lang/Texts.h"
#include "store/StoreOutcome.h"

namespace velo {

std::string BoostedMessage(const Texts& texts, const ApplyOutcome& outcome);

}  // namespace velo
