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
        "/export /nomodem", "/export /reset", "/reset /speed 64",
        "/set dsl /findmtu /speed 64 /speed 64"})
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

TEST(CommandLine, SpeedTakesTheLinesKbitsAlongWithFindMtu) {
  const struct {
    const char* arguments;
    const char* host;
    int32_t kbits;
  } kSpeeds[] = {{"/set dsl /findmtu /speed 1536", "", 1536},
                 {"/set cable /findmtu far.example /SPEED 10000000",
                  "far.example", 10000000},
                 {"/speed \" 1 \" /findmtu /set dialup", "", 1},
                 {"/set dsl /speed 64 /findmtu /nomodem", "", 64}};
  for (const auto& c : kSpeeds) {
    CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(CommandLine::kSet, command.action) << c.arguments;
    EXPECT_EQ(std::string(c.host), command.mtuHost) << c.arguments;
    EXPECT_EQ(c.kbits, command.speedKbits) << c.arguments;
  }
  EXPECT_EQ(0, ParseCommandLine("/set dsl /findmtu").speedKbits);

  // Each refusal says what was wrong.
  const char kRange[] =
      "/speed takes the line's speed in kbit/s, a whole number from 1 to "
      "10000000";
  const struct {
    const char* arguments;
    const char* why;
  } kRefused[] = {{"/set dsl /findmtu /speed", kRange},
                  {"/set dsl /findmtu /speed 0", kRange},
                  {"/set dsl /findmtu /speed -64", kRange},
                  {"/set dsl /findmtu /speed 1.5", kRange},
                  {"/set dsl /findmtu /speed fast", kRange},
                  {"/set dsl /findmtu /speed 10000001", kRange},
                  {"/set dsl /findmtu /speed 99999999999999999999", kRange},
                  {"/set dsl /findmtu /speed /nomodem", kRange},
                  {"/set dsl /speed 1536",
                   "/speed goes with /findmtu, which measures the round trip"}};
  for (const auto& c : kRefused) {
    CommandLine command = ParseCommandLine(c.arguments);
    EXPECT_EQ(CommandLine::kBadArguments, command.action) << c.arguments;
    EXPECT_EQ(std::string(c.why), command.whyBad) << c.arguments;
  }
}

}  // namespace
}  // namespace velo
