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

std::string LibraryFailureDescription(const char* format, va_list arguments) {
  std::string text;
  for (const char* at = format; *at; ++at) {
    if (at[0] == '%' && at[1] == 's') {
      text += va_arg(arguments, const char*);
      at += 1;
    } else if (at[0] == '%' && at[1] == 'z' && at[2] == 'u') {
      text += std::to_string(va_arg(arguments, size_t));
      at += 2;
    } else if (at[0] == '%' && at[1] == '%') {
      text += '%';
      at += 1;
    } else {
      text += *at;
    }
  }
  return text;
}

void EndAfterEscape(EscapeReporter reporter, const char* what) {
  reporter(EscapedExceptionReport(what));
  // Static objects are not torn down: they may be the ones half way through
  // the message.
  std::_Exit(kEscapedExceptionExitCode);
}

}  // namespace velo
