#include "framework/MessageBoundary.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace velo {
namespace {

void ReportToStderr(const std::string& report) {
  std::fprintf(stderr, "%s\n", report.c_str());
}

int Answer(int value) { return value; }

TEST(MessageBoundary, AHandlerThatReturnsGivesItsAnswer) {
  EXPECT_EQ(7, WithinMessageBoundary(&ReportToStderr, [] { return Answer(7); }));
}

TEST(MessageBoundaryDeathTest, AnEscapedErrorIsReportedAndEndsTheProgram) {
  EXPECT_EXIT(WithinMessageBoundary(&ReportToStderr,
                                    []() -> int {
                                      throw std::runtime_error("no registry");
                                    }),
              ::testing::ExitedWithCode(kEscapedExceptionExitCode),
              "has to close\\.\n\nno registry");
  EXPECT_EXIT(WithinMessageBoundary(&ReportToStderr, []() -> int { throw 42; }),
              ::testing::ExitedWithCode(kEscapedExceptionExitCode),
              "cannot recover from and has to close");
}

std::string GermanHeadline() { return "Velocine muss beendet werden."; }
std::string FailingHeadline() { throw std::runtime_error("no language file"); }

TEST(MessageBoundary, AReportStartsWithTheProgramsOwnHeadline) {
  SetEscapeHeadline(&GermanHeadline);
  EXPECT_EQ("Velocine muss beendet werden.\n\nno registry",
            EscapedExceptionReport("no registry"));
  SetEscapeHeadline(&FailingHeadline);
  EXPECT_EQ("Velocine met an error it cannot recover from and has to close.",
            EscapedExceptionReport(nullptr))
      << "a headline that fails gives the English one";
  SetEscapeHeadline(nullptr);
  EXPECT_EQ("Velocine met an error it cannot recover from and has to close.",
            EscapedExceptionReport(""));
}

std::string Description(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = LibraryFailureDescription(format, arguments);
  va_end(arguments);
  return text;
}

// Where the shipped program has no exceptions, the library's own
// out-of-range message is rebuilt from its format for the report.
TEST(MessageBoundary, ALibraryFailureIsDescribedInTheLibrarysOwnWords) {
  EXPECT_EQ("basic_string::substr: __pos (which is 12) > this->size() "
            "(which is 3)",
            Description("%s: __pos (which is %zu) > this->size() "
                        "(which is %zu)",
                        "basic_string::substr", size_t{12}, size_t{3}));
  EXPECT_EQ("100% of 4294967295", Description("100%% of %zu",
                                              size_t{4294967295u}));
  EXPECT_EQ("ends with %", Description("ends with %"));
}

}  // namespace
}  // namespace velo
