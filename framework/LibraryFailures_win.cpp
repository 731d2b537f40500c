// The shipped program is built without exceptions. Where the C++ library
// would throw (memory it cannot have, a string grown beyond its limit, a
// position outside a string), these definitions take the library's own at
// link time: they report the failure as the message boundary reports an
// escaped exception, with the same words, and end the program there. So
// nothing in the program throws, and the runtime that throws, unwinds and
// catches is not linked in at all (the link fails if anything still asks for
// __cxa_throw).
#include <windows.h>

#include <cstdarg>
#include <cstdlib>
#include <new>
#include <string>

#include "framework/MessageBoundary.h"
#include "lang/EnglishTexts.h"

namespace velo {

namespace {

bool g_ending = false;
EscapeReporter g_reporter = &ShowEscapeReport;

[[noreturn]] void EndAfterLibraryFailure(const char* what) {
  // The report itself may need the memory that is not there: a second
  // failure on the way out shows the English sentence alone, where a
  // window may be shown.
  if (g_ending) {
    if (g_reporter != &ShowEscapeReport) std::_Exit(kEscapedExceptionExitCode);
    MessageBoxA(nullptr, EnglishTextOf(TextId::EscapedError).english,
                "Velocine",
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    std::_Exit(kEscapedExceptionExitCode);
  }
  g_ending = true;
  EndAfterEscape(g_reporter, what);
}

}  // namespace

void SetLibraryFailureReporter(EscapeReporter reporter) {
  g_reporter = reporter ? reporter : &ShowEscapeReport;
}

}  // namespace velo

void* operator new(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) velo::EndAfterLibraryFailure("std::bad_alloc");
  return block;
}

void* operator new[](std::size_t size) { return operator new(size); }

namespace std {

void __throw_bad_alloc() { velo::EndAfterLibraryFailure("std::bad_alloc"); }

void __throw_bad_array_new_length() {
  velo::EndAfterLibraryFailure("std::bad_array_new_length");
}

void __throw_bad_function_call() {
  velo::EndAfterLibraryFailure("bad_function_call");
}

void __throw_length_error(const char* what) {
  velo::EndAfterLibraryFailure(what);
}

void __throw_logic_error(const char* what) {
  velo::EndAfterLibraryFailure(what);
}

void __throw_out_of_range(const char* what) {
  velo::EndAfterLibraryFailure(what);
}

void __throw_invalid_argument(const char* what) {
  velo::EndAfterLibraryFailure(what);
}

void __throw_out_of_range_fmt(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::string what = velo::LibraryFailureDescription(format, arguments);
  va_end(arguments);
  velo::EndAfterLibraryFailure(what.c_str());
}

}  // namespace std

// The library's own std::string is built with exceptions: its clean-up
// paths catch, rethrow and resume unwinding. With nothing that throws they
// never run, but they name these entry points, which would otherwise bring
// in the whole unwinder.
extern "C" {

void* __cxa_begin_catch(void*) { std::abort(); }
void __cxa_end_catch() { std::abort(); }
void __cxa_rethrow() { std::abort(); }
void _Unwind_Resume(void*) { std::abort(); }
#if defined(__x86_64__)  // 64-bit Windows unwinds through its own tables
int __gxx_personality_seh0() { std::abort(); }
#else
int __gxx_personality_v0() { std::abort(); }
#endif

}  // extern "C"
