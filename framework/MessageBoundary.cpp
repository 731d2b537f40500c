#include "framework/MessageBoundary.h"

#include <cstdlib>

namespace velo {

std::string EscapedExceptionReport(const char* what) {
  std::string report =
      "Velocine met an error it cannot recover from and has to close.";
  if (what && *what) report += std::string("\n\n") + what;
  return report;
}

void EndAfterEscape(EscapeReporter reporter, const char* what) {
  reporter(EscapedExceptionReport(what));
  // Static objects are not torn down: they may be the ones half way through
  // the message.
  std::_Exit(kEscapedExceptionExitCode);
}

}  // namespace velo
