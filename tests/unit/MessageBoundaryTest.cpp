#include "framework/MessageBoundary.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace velo
