#include "app/SystemBoxes.h"

#include <windows.h>

namespace velo {

void ShowNoSystemBoxes() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
               SEM_NOOPENFILEERRORBOX);
}

}  // namespace velo
