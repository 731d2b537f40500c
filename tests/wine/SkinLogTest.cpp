// The reader of the stand-in component's log: a damaged log must show as
// unreadable lines, never as fewer or different calls.
#include <gtest/gtest.h>

#include "SkinLog.h"
#include "TempFolder.h"

namespace velo {
namespace {

TEST(SkinLogLine, DecodesTheFieldsOfACall) {
  LoggedSkinCall call;
  ASSERT_TRUE(ParseSkinLogLine("skin 60020007 I4:-7 BSTR:a%20b%25%0A%C3%A9", &call));
  EXPECT_EQ("skin", call.object);
  EXPECT_EQ(0x60020007u, call.dispid);
  EXPECT_EQ((std::vector<std::string>{"I4:-7", "BSTR:a b%\n\xC3\xA9"}),
            call.arguments);
  ASSERT_TRUE(ParseSkinLogLine("splash fffffff1", &call));
  EXPECT_EQ(0xFFFFFFF1u, call.dispid);
  EXPECT_TRUE(call.arguments.empty());
}

TEST(SkinLogLine, RefusesWhatIsNotACall) {
  const char* broken[] = {
      "",                       // empty
      "skin",                   // no DISPID
      " 16 I4:0",               // no object
      "splash 1G I4:0",         // DISPID not hexadecimal
      "splash 123456789 I4:0",  // DISPID wider than 32 bits
      "skin 60020007 I4:1  BSTR:x",  // an empty field
      "skin 60020007 BSTR:ab%2",     // escape cut short
      "skin 60020007 BSTR:%G0",      // escape not hexadecimal
  };
  for (const char* line : broken) {
    LoggedSkinCall call;
    EXPECT_FALSE(ParseSkinLogLine(line, &call)) << '"' << line << '"';
  }
}

TEST(SkinLogFile, KeepsTheOrderAndReportsDamagedLines) {
  TempFolder folder("skinlogfile");
  ASSERT_FALSE(folder.Path().empty());
  std::string path = folder.Write(
      "calls.log", "splash 13 I4:0\r\nskin 60020007 BSTR:%C\nskin 60020006 I4:9\n");
  ASSERT_FALSE(path.empty());
  SkinLog log = ReadSkinLog(path);
  ASSERT_EQ(2u, log.calls.size());
  EXPECT_EQ(SplashDisplayTimeCall(0), log.calls[0]);
  EXPECT_EQ(SkinWindowCall(reinterpret_cast<HWND>(9)), log.calls[1]);
  EXPECT_EQ(std::vector<std::string>{"skin 60020007 BSTR:%C"}, log.unreadable);

  SkinLog absent = ReadSkinLog(folder.Path() + "\\absent.log");
  EXPECT_TRUE(absent.calls.empty());
  EXPECT_TRUE(absent.unreadable.empty());
}

TEST(SkinLogFile, KeepsHostingLinesApartAndInTheirPlace) {
  TempFolder folder("skinloghosting");
  ASSERT_FALSE(folder.Path().empty());
  std::string path = folder.Write(
      "calls.log",
      "skin IOleObject::SetClientSite site\n"
      "skin 60020006 I4:9\n"
      "skin IPersistStreamInit::Load 564B\n"
      "skin ::Load\n"                       // no interface
      "skin IOleObject::\n"                 // no method
      "skin IOleObject::Close  1\n"         // an empty field
      "splash IUnknown::Release last\n");
  ASSERT_FALSE(path.empty());
  SkinLog log = ReadSkinLog(path);
  EXPECT_EQ((std::vector<LoggedSkinCall>{SkinWindowCall(
                reinterpret_cast<HWND>(9))}),
            log.calls);
  EXPECT_EQ((std::vector<std::string>{"skin IOleObject::SetClientSite site",
                                      "skin IPersistStreamInit::Load 564B",
                                      "splash IUnknown::Release last"}),
            log.hosting);
  EXPECT_EQ((std::vector<std::string>{"skin IOleObject::SetClientSite site",
                                      "skin 60020006 I4:9",
                                      "skin IPersistStreamInit::Load 564B",
                                      "splash IUnknown::Release last"}),
            log.sequence);
  EXPECT_EQ((std::vector<std::string>{"skin ::Load", "skin IOleObject::",
                                      "skin IOleObject::Close  1"}),
            log.unreadable);
}

}  // namespace
}  // namespace velo
