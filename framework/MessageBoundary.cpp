#include "framework/MessageBoundary.h"

#include <cstdlib>

#include "lang/EnglishTexts.h"

namespace velo {

namespace {

EscapeHeadline g_headline = nullptr;

std::string Headline() {
  if (g_headline) {
#if __cpp_exceptions
    try {
      return g_headline();
    } catch (...) {
      // Already on the way out: the report goes in English instead.
    }
#else
    return g_headline();
#endif
  }
  return EnglishTextOf(TextId::EscapedError).english;
}

}  // namespace

void SetEscapeHeadline(EscapeHeadline headline) { g_headline = headline; }

std::string EscapedExceptionReport(const char* what) {
  std::string report = Headline();
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
