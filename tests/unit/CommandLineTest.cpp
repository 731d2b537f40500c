// The command line an administrator types, read as Velocine reads it.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace velo {
namespace {

struct Case {
  const char* arguments;
  CommandLine::Action action;
  int32_t connectionType;
  bool overwrite, noModem;
  const char* file;
};

const CommandLine::Action kBad = CommandLine::kBadArguments;

const Case kCases[] = {
    {"", CommandLine::kWindows, kDialUp, false, false, ""},
    {"  \t ", CommandLine::kWindows, kDialUp, false, false, ""},
    {"/?", CommandLine::kUsage, kDialUp, false, false, ""},
    {"/set dialup", CommandLine::kSet, kDialUp, false, false, ""},
    {"/SET DSL", CommandLine::kSet, kDsl, false, false, ""},
    {"/set lan /overwrite", CommandLine::kSet, kLan, true, false, ""},
    {"/nomodem /set cable /Overwrite", CommandLine::kSet, kCableModem, true,
     true, ""},
    {"/set \"dsl\"", CommandLine::kSet, kDsl, false, false, ""},
    {"/reset", CommandLine::kReset, kDialUp, false, false, ""},
    {"/export \"C:\\My Files\\orig.reg\"", CommandLine::kExport, kDialUp,
     false, false, "C:\\My Files\\orig.reg"},
    {"/export a\"b c\".reg", CommandLine::kExport, kDialUp, false, false,
     "ab c.reg"},
    // Anything else is refused as a whole.
    {"/set", kBad, kDialUp, false, false, ""},
    {"/set modem", kBad, kDialUp, false, false, ""},
    {"/set dsl lan", kBad, kDialUp, false, false, ""},
    {"/set dsl /overwrite /overwrite", kBad, kDialUp, false, false, ""},
    {"/reset /set dsl", kBad, kDialUp, false, false, ""},
    {"/reset /overwrite", kBad, kDialUp, false, false, ""},
    {"/export", kBad, kDialUp, false, false, ""},
    {"/export \"\"", kBad, kDialUp, false, false, ""},
    {"/export a.reg /nomodem", kBad, kDialUp, false, false, ""},
    {"/? /reset", kBad, kDialUp, false, false, ""},
    {"-reset", kBad, kDialUp, false, false, ""},
    {"/overwrite", kBad, kDialUp, false, false, ""},
};

TEST(CommandLine, EachArgumentListIsReadAsItsCommandOrRefusedWhole) {
  for (const Case& c : kCases) {
    CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(c.action, command.action) << c.arguments;
    if (c.action != CommandLine::kSet && c.action != CommandLine::kExport)
      continue;
    EXPECT_EQ(c.connectionType, command.connectionType) << c.arguments;
    EXPECT_EQ(c.overwrite, command.overwrite) << c.arguments;
    EXPECT_EQ(c.noModem, command.noModem) << c.arguments;
    EXPECT_EQ(std::string(c.file), command.file) << c.arguments;
  }
}

}  // namespace
}  // namespace velo
