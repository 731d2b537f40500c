// The DLL's count of live objects and server locks: it may be unloaded only
// when that is zero.
#pragma once

namespace velo {

void LockModule();
void UnlockModule();

}  // namespace velo
