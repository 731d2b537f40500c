// No exception may unwind through the platform's code that called one of the
// program's window procedures. Whatever a handler lets escape is reported and
// ends the program there: nothing is swallowed, and no half-handled message
// is carried on with.
#pragma once

#include <cstdarg>
#include <exception>
#include <string>

namespace velo {

// The exit code of a program ended by an escaped exception or a failure of
// the C++ library: no command ends so, so a script never takes it for one
// of their outcomes.
const int kEscapedExceptionExitCode = 99;

// The sentence a report starts with, in the user's language.
using EscapeHeadline = std::string (*)();

// Makes reports start with `headline`'s answer instead of the English
// sentence; null puts the English one back. A headline that throws gets the
// English one too.
void SetEscapeHeadline(EscapeHeadline headline);

// What the user is told, with the exception's own description when it has
// one.
std::string EscapedExceptionReport(const char* what);

// The C++ library's description of a position out of range, from its
// format (which holds "%s", "%zu" and "%%" only) and arguments.
std::string LibraryFailureDescription(const char* format, va_list arguments);

// Tells the user a report.
using EscapeReporter = void (*)(const std::string& report);

// The program's reporter: a message box.
void ShowEscapeReport(const std::string& report);

// Where the C++ library's failures in the shipped program are reported: a
// message box unless another reporter is set (a command run, which shows no
// window, writes them to its log).
void SetLibraryFailureReporter(EscapeReporter reporter);

// Reports the escaped exception and ends the program without unwinding any
// further.
[[noreturn]] void EndAfterEscape(EscapeReporter reporter, const char* what);

// Runs `handler` and returns its answer; an exception that escapes it ends
// the program through EndAfterEscape. The shipped program is built without
// exceptions: there the library's failures end it through EndAfterEscape
// where they happen (LibraryFailures_win.cpp), with the same report.
template <typename Handler>
auto WithinMessageBoundary(EscapeReporter reporter, Handler handler)
    -> decltype(handler()) {
#if __cpp_exceptions
  try {
    return handler();
  } catch (const std::exception& error) {
    EndAfterEscape(reporter, error.what());
  } catch (...) {
    EndAfterEscape(reporter, nullptr);
  }
#else
  (void)reporter;
  return handler();
#endif
}

}  // namespace velo
