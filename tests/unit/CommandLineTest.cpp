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

const Case kCases[] = {
    {"", CommandLine::kWindows, kDialUp, false, false, ""},
    {"  \t ", CommandLine::kWindows, kDialUp, false, false, ""},
    {"/?", CommandLine::kUsage, kDialUp, false, false, ""},
    {"/SET DSL", CommandLine::kSet, kDsl, false, false, ""},
    {"/set lan /overwrite", CommandLine::kSet, kLan, true, false, ""},
    {"/nomodem /set \"cable\" /Overwrite", CommandLine::kSet, kCableModem,
     true, true, ""},
    {"/reset", CommandLine::kReset, kDialUp, false, false, ""},
    {"/export \"C:\\My Files\\orig.reg\"", CommandLine::kExport, kDialUp,
     false, false, "C:\\My Files\\orig.reg"},
};

TEST(CommandLine, EachArgumentListIsReadAsItsCommand) {
  for (const Case& c : kCases) {
    CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(c.action, command.action) << c.arguments;
    EXPECT_EQ(c.connectionType, command.connectionType) << c.arguments;
    EXPECT_EQ(c.overwrite, command.overwrite) << c.arguments;
    EXPECT_EQ(c.noModem, command.noModem) << c.arguments;
    EXPECT_EQ(std::string(c.file), command.file) << c.arguments;
  }
}

TEST(CommandLine, AnythingElseIsRefusedWhole) {
  for (const char* arguments :
       {"/set", "/set modem", "/set dsl lan", "/set dsl /overwrite /overwrite",
        "/reset /set dsl", "/reset /overwrite", "/export", "/export \"\"",
        "/export a.reg /nomodem", "/? /reset", "-reset", "/overwrite",
        "/reset /findmtu", "/set dsl /findmtu a /findmtu", "/findmtu",
        "/set dsl /findmtu a b",
        "/set dsl /export a.reg", "/set dsl /nomodem /nomodem",
        "/export /nomodem", "/export /reset"})
    EXPECT_EQ(CommandLine::kBadArguments, ParseCommandLine(arguments).action)
        << arguments;
}

TEST(CommandLine, FindMtuTakesAHostWhenOneFollows) {
  const struct {
    const char* arguments;
    const char* host;
  } kFindMtu[] = {{"/set dsl /findmtu", ""},
                  {"/set dsl /FINDMTU 10.0.3.2", "10.0.3.2"},
                  {"/findmtu far.example /set lan /overwrite", "far.example"},
                  {"/set dsl /findmtu /nomodem", ""}};
  for (const auto& c : kFindMtu) {
    CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(CommandLine::kSet, command.action) << c.arguments;
    EXPECT_TRUE(command.findMtu) << c.arguments;
    EXPECT_EQ(std::string(c.host), command.mtuHost) << c.arguments;
  }
  EXPECT_FALSE(ParseCommandLine("/set dsl").findMtu);
}

}  // namespace
}  // namespace velo
