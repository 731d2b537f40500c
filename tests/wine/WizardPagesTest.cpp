// The wizard's pages for real, one concern at a time: what each shows from
// the registry and the recommendations, how its boxes put values right, its
// standard data-exchange messages, and what Back and Next keep or reset.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "HeldProber.h"
#include "WizardDriver.h"
#include "app/TunerApp.h"
#include "pathmtu/BackgroundMtuSearch.h"
#include "res/wizard/ChooseConnectionType.h"
#include "res/wizard/ICMPRedirectAttackSetting.h"
#include "res/wizard/KeepAliveSettings.h"
#include "res/wizard/ModemBoost.h"
#include "res/wizard/MTUSettings.h"
#include "res/wizard/OtherMTUSettings.h"
#include "res/wizard/RWINSetting.h"
#include "res/wizard/SYNFloodAttackSetting.h"
#include "res/wizard/TTLSetting.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"
#include "Environment.h"
#include "wizard/WizardFlow.h"

namespace velo {
namespace {

const std::string kInterface =
    std::string(kInterfacesKeyName) + "\\{0D1E2C3B-VELOCINE-TEST}";

// The last line of a control's text.
std::string LastLine(const std::string& text) {
  return text.substr(text.rfind('\n') + 1);
}

void Choose(WizardDriver& wizard, int radio) {
  CheckRadioButton(wizard.PageWindow(), IDC_CONNECTION_DIAL_UP,
                   IDC_CONNECTION_LAN, radio);
}

void Seed(const std::string& key, const char* name, uint32_t number) {
  Put(App().registry(), key, name, RegValue::Dword(number));
}

TEST(MtuPage, RecommendsForEachConnectionTypeAndShowsWhatWasSet) {
  WizardDriver wizard(kFamilyNT);
  Seed(kInterface, "MTU", 1400);
  wizard.Open();
  const struct {
    int radio;
    const char* mtu;
    const char* mss;
  } types[] = {{IDC_CONNECTION_DIAL_UP, "576", "536"},
               {IDC_CONNECTION_DSL, "1492", "1452"},
               {IDC_CONNECTION_LAN, "1500", "1460"},
               {IDC_CONNECTION_CABLE_MODEM, "1500", "1460"}};
  for (const auto& type : types) {
    Choose(wizard, type.radio);
    wizard.Next();
    ASSERT_EQ(kMtuPage, wizard.Page());
    EXPECT_EQ(type.mtu, wizard.Text(IDC_MTU_BOX));
    EXPECT_EQ(type.mss, wizard.Text(IDC_MSS_BOX));
    EXPECT_EQ(std::string("Recommended MTU size  :  ") + type.mtu + " bytes.",
              wizard.Text(IDC_MTU_RECOMMENDED));
    EXPECT_EQ(std::string("Recommended MSS size  :  ") + type.mss + " bytes.",
              wizard.Text(IDC_MSS_RECOMMENDED));
    wizard.Back();
  }
  EXPECT_EQ(kCableModem, wizard.Record().ConnectionType);
  wizard.Next();
  EXPECT_EQ("MTU was set to 1400 bytes.",
            LastLine(wizard.Text(IDC_MTU_EXPLANATION)));
  EXPECT_EQ("MSS is not read by this version of Windows: TCP takes it from the MTU.",
            LastLine(wizard.Text(IDC_MSS_EXPLANATION)));
}

TEST(MtuPage, PutsRightWhatIsNotPositiveAndStartsOverOnEveryVisit) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_LAN);
  wizard.Next();
  wizard.Type(IDC_MTU_BOX, "");
  wizard.Leave(IDC_MTU_BOX);
  EXPECT_EQ("1500", wizard.Text(IDC_MTU_BOX));
  wizard.Type(IDC_MSS_BOX, "2147483648");  // negative as a signed number
  wizard.Leave(IDC_MSS_BOX);
  EXPECT_EQ("1460", wizard.Text(IDC_MSS_BOX));

  // No relation between the two.
  wizard.Type(IDC_MTU_BOX, "1400");
  wizard.Type(IDC_MSS_BOX, "100");
  wizard.Next();
  EXPECT_EQ(1400, wizard.Record().NewMTU);
  EXPECT_EQ(100, wizard.Record().NewMSS);

  wizard.Back();
  EXPECT_EQ("1500", wizard.Text(IDC_MTU_BOX)) << "typed values are dropped";
  wizard.Type(IDC_MSS_BOX, "0");
  wizard.Next();
  EXPECT_EQ(1500, wizard.Record().NewMTU);
  EXPECT_EQ(1460, wizard.Record().NewMSS) << "0 left with Next";
  EXPECT_TRUE(wizard.messages.empty());
}

// IPv4 needs 68 bytes; PPP, Ethernet and RAS carry 1500 at most: the box
// refuses what lies outside as the other boxes do, and keeps the user on
// the page until it holds an MTU within.
TEST(MtuPage, AnMtuOutside68To1500KeepsTheUserOnThePage) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_LAN);
  wizard.Next();
  for (const char* refused : {"60", "67", "1501", "1600"}) {
    SCOPED_TRACE(refused);
    wizard.messages.clear();
    wizard.Type(IDC_MTU_BOX, refused);
    wizard.Next();
    EXPECT_EQ(kMtuPage, wizard.Page());
    EXPECT_EQ(std::vector<std::string>(
                  1, "Please enter an integer between 68 and 1500."),
              wizard.messages);
  }
  EXPECT_EQ(1500, wizard.Record().NewMTU) << "nothing stored meanwhile";
  for (const char* taken : {"68", "1500"}) {
    wizard.Type(IDC_MTU_BOX, taken);
    wizard.Next();
    EXPECT_EQ(kPathMtuPage, wizard.Page());
    EXPECT_EQ(std::stoi(taken), wizard.Record().NewMTU);
    wizard.Back();
  }
}

const char kFind[] = "Find the MTU towards";

// Starts a search towards `host` on the MTU page of a DSL run.
void FindMtu(WizardDriver& wizard, const std::string& host) {
  wizard.Type(IDC_MTU_HOST, host);
  wizard.Click(IDC_FIND_MTU);
}

bool Searching(const WizardDriver& wizard) {
  return wizard.Text(IDC_FIND_MTU) == "Stop the search";
}

// Loopback carries every size, as a path that fragments what it is given:
// the search says so and leaves the boxes alone. The page answers while it
// pings, stops on the button or when it is left, and asks for a host when
// the box is empty.
TEST(MtuPage, TheMtuSearchSaysWhatItFoundOrWhyNot) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_DSL);
  wizard.Next();
  ASSERT_EQ(kMtuPage, wizard.Page());
  ASSERT_TRUE(IsWindowVisible(GetDlgItem(wizard.PageWindow(), IDC_FIND_MTU)))
      << "ICMP.DLL is there under Wine";
  EXPECT_EQ(kFind, wizard.Text(IDC_FIND_MTU));

  FindMtu(wizard, "  ");
  EXPECT_EQ("Type the name or the address of a host to ping.",
            wizard.Text(IDC_MTU_SEARCH_STATUS));
  EXPECT_FALSE(Searching(wizard));

  FindMtu(wizard, "127.0.0.1");
  EXPECT_TRUE(Searching(wizard));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(wizard.PageWindow(), IDC_MTU_HOST)));
  EXPECT_TRUE(wizard.PumpUntil([&] { return !Searching(wizard); }));
  EXPECT_EQ("Every size came back from 127.0.0.1, so the MTU of this path "
            "cannot be found this way.",
            wizard.Text(IDC_MTU_SEARCH_STATUS));
  EXPECT_EQ("1492", wizard.Text(IDC_MTU_BOX));
  EXPECT_EQ("1452", wizard.Text(IDC_MSS_BOX));

  {
    // Searches held at their first probe, so certainly running: the button
    // stops one, and so does leaving the page.
    HeldProber held(wizard);
    FindMtu(wizard, "127.0.0.1");
    ASSERT_TRUE(wizard.PumpUntil([&] { return held.Waiting() == 1; }));
    EXPECT_TRUE(Searching(wizard));
    wizard.Click(IDC_FIND_MTU);
    EXPECT_FALSE(Searching(wizard));
    EXPECT_EQ("The search was stopped.", wizard.Text(IDC_MTU_SEARCH_STATUS));
    EXPECT_TRUE(
        IsWindowEnabled(GetDlgItem(wizard.PageWindow(), IDC_MTU_HOST)));

    // Next while it pings: the page is left as ever, the search with it.
    FindMtu(wizard, "127.0.0.1");
    ASSERT_TRUE(wizard.PumpUntil([&] { return held.Waiting() == 2; }));
    EXPECT_TRUE(Searching(wizard));
    wizard.Next();
    EXPECT_EQ(kPathMtuPage, wizard.Page());
    EXPECT_EQ(1492, wizard.Record().NewMTU);

    // Let go, each ends at the size after the one it waited on, and what
    // it posts then is not taken.
    held.Release();
    ASSERT_TRUE(wizard.PumpUntil([&] { return held.Inside() == 0; }));
    const std::vector<MtuSearchResult> ended = held.Ended();
    ASSERT_EQ(2u, ended.size());
    for (const MtuSearchResult& search : ended) {
      EXPECT_EQ(kMtuCancelled, search.end);
      EXPECT_EQ(1, search.probes);
    }
  }
  wizard.Back();
  EXPECT_EQ(kFind, wizard.Text(IDC_FIND_MTU));
  EXPECT_EQ("", wizard.Text(IDC_MTU_SEARCH_STATUS));
  EXPECT_TRUE(wizard.messages.empty());
}

// Two searches posting to one window (a page left and opened again) never
// take each other's messages: each has a number of its own in the process.
TEST(MtuPage, TwoSearchesNeverTakeEachOthersMessages) {
  struct AtOnce : PathProber {
    bool CanPing() const override { return true; }
    MtuSearchResult Find(const std::string&,
                         const std::function<bool(int32_t)>& goOn) override {
      goOn(kFirstProbeSize);
      return {kMtuFound, kFirstProbeSize, 1};
    }
  } prober;
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  // The number the search posts its first size with.
  auto numberOf = [&](BackgroundMtuSearch& search) -> LPARAM {
    MSG message = {};
    if (!search.Start(window, "192.0.2.1", prober)) return 0;
    WaitFor([&] {
      return PeekMessageA(&message, window, BackgroundMtuSearch::kTrying,
                          BackgroundMtuSearch::kTrying, PM_REMOVE) != FALSE;
    });
    return message.lParam;
  };
  BackgroundMtuSearch first, second;
  const LPARAM one = numberOf(first);
  const LPARAM two = numberOf(second);
  EXPECT_NE(0, one);
  EXPECT_NE(0, two);
  EXPECT_NE(one, two);
  EXPECT_TRUE(first.Posted(one));
  EXPECT_FALSE(second.Posted(one));
  EXPECT_FALSE(first.Posted(two));
  first.Stop();
  second.Stop();
  DestroyWindow(window);
}

// The DNS server is offered as the host only when it lies beyond the line:
// the router of the user's own network would give the LAN's MTU.
TEST(MtuPage, OffersTheDnsServerOnlyBeyondTheUsersOwnNetwork) {
  const struct {
    const char* server;
    const char* host;
    const char* status;
  } kServers[] = {
      {"198.51.100.7", "198.51.100.7", ""},
      {"192.168.1.1", "",
       "192.168.1.1 is on your own network: type a host beyond your line."}};
  for (const auto& kept : kServers) {
    WizardDriver wizard(kFamilyNT);
    Put(App().registry(), kTcpipKeyName, "NameServer",
        RegValue::Text(kept.server));
    wizard.Open();
    Choose(wizard, IDC_CONNECTION_DSL);
    wizard.Next();
    ASSERT_EQ(kMtuPage, wizard.Page());
    EXPECT_EQ(kept.host, wizard.Text(IDC_MTU_HOST));
    EXPECT_EQ(kept.status, wizard.Text(IDC_MTU_SEARCH_STATUS));
    // Another visit says it again.
    wizard.Back();
    wizard.Next();
    EXPECT_EQ(kept.status, wizard.Text(IDC_MTU_SEARCH_STATUS));
  }
}

// On a path of network namespaces that the test run builds (tests/path),
// the button finds the path's MTU, the boxes take it and Finish writes it.
TEST(MtuPath, TheButtonFindsThePathsMtuAndFinishWritesIt) {
  const std::string host = EnvironmentText("VELO_MTU_PATH_HOST");
  const std::string mtu = EnvironmentText("VELO_MTU_PATH_MTU");
  ASSERT_FALSE(host.empty() || mtu.empty())
      << "run by scripts/mtu-path-tests.sh on the path it builds";
  WizardDriver wizard(kFamilyNT);
  Seed(kInterface, "MTU", 1500);
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_DSL);
  wizard.Next();
  const DWORD start = GetTickCount();
  FindMtu(wizard, host);
  ASSERT_TRUE(wizard.PumpUntil([&] { return !Searching(wizard); }, 120000));
  std::printf("[ path     ] the button found '%s' in %lu ms\n",
              wizard.Text(IDC_MTU_SEARCH_STATUS).c_str(),
              static_cast<unsigned long>(GetTickCount() - start));
  EXPECT_EQ("MTU towards " + host + ": " + mtu,
            wizard.Text(IDC_MTU_SEARCH_STATUS));
  EXPECT_EQ(mtu, wizard.Text(IDC_MTU_BOX));
  EXPECT_EQ(std::to_string(std::stoi(mtu) - 40), wizard.Text(IDC_MSS_BOX));
  while (wizard.Page() != kIcmpRedirectPage && wizard.Page() >= 0)
    wizard.Next();
  wizard.Finish();
  RegValue written;
  ASSERT_TRUE(Get(App().registry(), kInterface, "MTU", &written));
  EXPECT_EQ(RegValue::Dword(std::stoul(mtu)), written);
}

TEST(PathMtuPage, TheBoxesDepartFromTheRecommendationsAndKeepTheirState) {
  WizardDriver wizard(kFamilyNT);
  Seed(kTcpipKeyName, "EnablePMTUDiscovery", 2);
  wizard.Open();
  ASSERT_TRUE(wizard.NextTo(kPathMtuPage));
  EXPECT_EQ("Remote networks' MTU is currently enabled.",
            LastLine(wizard.Text(IDC_PMTU_DISCOVERY_EXPLANATION)));
  EXPECT_EQ("Black hole routers isn't set.",
            LastLine(wizard.Text(IDC_PMTU_BLACK_HOLE_EXPLANATION)));
  EXPECT_EQ("Disable It?", wizard.Text(IDC_PMTU_DISABLE_DISCOVERY));

  wizard.Next();
  EXPECT_EQ(1, wizard.Record().NewPMTUDiscovery);
  EXPECT_EQ(0, wizard.Record().NewPMTUBlackHoleDetect);

  wizard.Back();
  wizard.Check(IDC_PMTU_DISABLE_DISCOVERY, true);
  wizard.Check(IDC_PMTU_ENABLE_BLACK_HOLE, true);
  wizard.Next();
  EXPECT_EQ(0, wizard.Record().NewPMTUDiscovery);
  EXPECT_EQ(1, wizard.Record().NewPMTUBlackHoleDetect);
  wizard.Back();
  EXPECT_TRUE(wizard.IsChecked(IDC_PMTU_DISABLE_DISCOVERY));
  EXPECT_TRUE(wizard.IsChecked(IDC_PMTU_ENABLE_BLACK_HOLE));
}

TEST(TtlPage, ShowsTheFamilysRecommendationsAndKeepsWhatWasTyped) {
  WizardDriver wizard(kFamilyNT);
  Seed(kTcpipKeyName, "DefaultTTL", 128);
  Seed(kBrowserKeyName, "MaxConnectionsPerServer", 6);
  Put(App().registry(), kBrowserKeyName, "MaxConnectionsPer1_0Server",
      RegValue());
  wizard.Open();
  ASSERT_TRUE(wizard.NextTo(kTtlPage));
  EXPECT_EQ("64", wizard.Text(IDC_TTL_BOX));
  EXPECT_EQ("20", wizard.Text(IDC_HTTP_1_0_BOX));
  EXPECT_EQ("20", wizard.Text(IDC_HTTP_1_1_BOX));
  EXPECT_EQ("Recommended TTL  :  64 seconds.", wizard.Text(IDC_TTL_RECOMMENDED));
  EXPECT_EQ("Recommended value for HTTP 1.0  :  20.",
            wizard.Text(IDC_HTTP_1_0_RECOMMENDED));
  EXPECT_EQ("TTL was set to 128 seconds.",
            LastLine(wizard.Text(IDC_TTL_EXPLANATION)));
  EXPECT_EQ("HTTP 1.0 value isn't set.", wizard.Text(IDC_HTTP_1_0_CURRENT));
  EXPECT_EQ("HTTP 1.1 value was set to 6.", wizard.Text(IDC_HTTP_1_1_CURRENT));

  // Below the smallest accepted value: the recommendation, silently.
  const struct {
    int box;
    const char* typed;
    const char* left;
  } fixes[] = {{IDC_TTL_BOX, "", "64"},       {IDC_TTL_BOX, "0", "64"},
               {IDC_HTTP_1_0_BOX, "3", "20"}, {IDC_HTTP_1_1_BOX, "1", "20"},
               {IDC_HTTP_1_1_BOX, "3", "3"},  {IDC_HTTP_1_0_BOX, "100", "100"},
               {IDC_TTL_BOX, "255", "255"}};
  for (const auto& fix : fixes) {
    wizard.Type(fix.box, fix.typed);
    wizard.Leave(fix.box);
    EXPECT_EQ(fix.left, wizard.Text(fix.box)) << fix.box << " " << fix.typed;
  }
  wizard.Next();
  EXPECT_EQ(255, wizard.Record().NewTTL);
  EXPECT_EQ(100, wizard.Record().NewMaxConnectionsPer1_0Server);
  EXPECT_EQ(3, wizard.Record().NewMaxConnectionsPerServer);
  wizard.Back();
  EXPECT_EQ("255", wizard.Text(IDC_TTL_BOX)) << "typed values stay";
  EXPECT_TRUE(wizard.messages.empty());
}

TEST(TtlPage, ATtlAbove255KeepsTheUserOnThePage) {
  WizardDriver wizard(kFamily9x);
  wizard.Open();
  ASSERT_TRUE(wizard.NextTo(kTtlPage));
  EXPECT_EQ("32", wizard.Text(IDC_TTL_BOX));
  EXPECT_EQ("4", wizard.Text(IDC_HTTP_1_0_BOX));
  EXPECT_EQ("8", wizard.Text(IDC_HTTP_1_1_BOX));
  wizard.Type(IDC_TTL_BOX, "256");
  wizard.Leave(IDC_TTL_BOX);
  EXPECT_EQ("256", wizard.Text(IDC_TTL_BOX)) << "leaving the box accepts it";
  wizard.Next();
  EXPECT_EQ(kTtlPage, wizard.Page());
  wizard.Back();
  EXPECT_EQ(kTtlPage, wizard.Page());
  EXPECT_EQ(std::vector<std::string>(
                2, "Please enter an integer between 0 and 255."),
            wizard.messages);
  EXPECT_EQ(32, wizard.Record().NewTTL) << "nothing stored meanwhile";

  wizard.Type(IDC_TTL_BOX, "100");
  wizard.Next();
  EXPECT_EQ(kKeepAlivePage, wizard.Page());
  EXPECT_EQ(100, wizard.Record().NewTTL);
}

TEST(KeepAlivePage, PutsRightWhatIsNotPositiveAndFinishWritesIt) {
  WizardDriver wizard(kFamily9x);
  wizard.Open();
  ASSERT_TRUE(wizard.NextTo(kKeepAlivePage));
  EXPECT_EQ("7200000", wizard.Text(IDC_KEEP_ALIVE_TIME_BOX));
  EXPECT_EQ("1000", wizard.Text(IDC_KEEP_ALIVE_INTERVAL_BOX));
  EXPECT_EQ("Recommended Keep Alive Time  :  7200000 milliseconds.",
            wizard.Text(IDC_KEEP_ALIVE_TIME_RECOMMENDED));
  EXPECT_EQ("Keep Alive Interval isn't set.",
            LastLine(wizard.Text(IDC_KEEP_ALIVE_INTERVAL_EXPLANATION)));

  wizard.Type(IDC_KEEP_ALIVE_INTERVAL_BOX, "");
  wizard.Leave(IDC_KEEP_ALIVE_INTERVAL_BOX);
  EXPECT_EQ("1000", wizard.Text(IDC_KEEP_ALIVE_INTERVAL_BOX));
  wizard.Type(IDC_KEEP_ALIVE_INTERVAL_BOX, "500");
  wizard.Back();
  wizard.Next();
  EXPECT_EQ("500", wizard.Text(IDC_KEEP_ALIVE_INTERVAL_BOX));

  wizard.Type(IDC_KEEP_ALIVE_TIME_BOX, "0");
  wizard.Finish();
  EXPECT_EQ(-1, wizard.Page());
  RegValue time, interval;
  ASSERT_TRUE(Get(App().registry(), kMstcpKeyName, "KeepAliveTime", &time));
  ASSERT_TRUE(
      Get(App().registry(), kMstcpKeyName, "KeepAliveInterval", &interval));
  EXPECT_EQ("7200000", time.AsText());
  EXPECT_EQ("500", interval.AsText());
}

TEST(SynFloodPage, ALevelOutsideZeroToTwoKeepsTheUserOnThePage) {
  WizardDriver wizard(kFamilyNT);
  Seed(kTcpipKeyName, "SYNAttackProtect", 1);
  wizard.Open();
  ASSERT_TRUE(wizard.NextTo(kSynFloodPage));
  EXPECT_EQ("2", wizard.Text(IDC_SYN_LEVEL_BOX));
  EXPECT_EQ("This value was set to option 1.",
            LastLine(wizard.Text(IDC_SYN_LEVELS)));
  EXPECT_EQ("What will be your decision?", wizard.Text(IDC_SYN_QUESTION));

  wizard.Type(IDC_SYN_LEVEL_BOX, "3");
  wizard.Next();
  EXPECT_EQ(kSynFloodPage, wizard.Page());
  wizard.Type(IDC_SYN_LEVEL_BOX, "");
  wizard.Back();
  EXPECT_EQ(kSynFloodPage, wizard.Page());
  EXPECT_EQ((std::vector<std::string>{"Please enter an integer between 0 and 2.",
                                      "Please enter an integer."}),
            wizard.messages);
  EXPECT_EQ(2, wizard.Record().NewSYNAttackProtect);

  wizard.Type(IDC_SYN_LEVEL_BOX, "1");
  wizard.Next();
  EXPECT_EQ(1, wizard.Record().NewSYNAttackProtect);
  wizard.Back();
  EXPECT_EQ("1", wizard.Text(IDC_SYN_LEVEL_BOX));
}

TEST(IcmpPage, WithAModemFoundItLeadsOnAndKeepsTheCheckBox) {
  WizardDriver wizard(kFamilyNT);
  Seed(kTcpipKeyName, "EnableICMPRedirects", 0);
  wizard.modemFound = 1;
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_LAN);
  ASSERT_TRUE(wizard.NextTo(kIcmpRedirectPage));
  EXPECT_EQ("ICMP is currently disabled.",
            LastLine(wizard.Text(IDC_ICMP_CAUSE)));
  EXPECT_TRUE(wizard.Buttons().next);
  wizard.Check(IDC_ICMP_ENABLE, true);
  wizard.Next();
  EXPECT_EQ(kModemBoostPage, wizard.Page());
  EXPECT_EQ(1, wizard.Record().NewEnableICMPRedirects);
  wizard.Back();
  EXPECT_EQ(kIcmpRedirectPage, wizard.Page());
  EXPECT_TRUE(wizard.IsChecked(IDC_ICMP_ENABLE));
  wizard.Next();
  wizard.Finish();
  RegValue written;
  ASSERT_TRUE(
      Get(App().registry(), kTcpipKeyName, "EnableICMPRedirects", &written));
  EXPECT_EQ(RegValue::Dword(1), written);
}

TEST(ConnectionTypePage, AModemOnceFoundStaysFoundWhenAnotherTypeIsChosen) {
  WizardDriver wizard(kFamily9x);
  AddBoostableModem(kFamily9x, "0000");
  wizard.Open();
  EXPECT_TRUE(wizard.IsChecked(IDC_CONNECTION_DIAL_UP));
  wizard.Next();
  EXPECT_EQ(1, wizard.modemFound);
  wizard.Back();
  EXPECT_TRUE(wizard.IsChecked(IDC_CONNECTION_DIAL_UP)) << "the choice stays";
  Choose(wizard, IDC_CONNECTION_LAN);
  ASSERT_TRUE(wizard.NextTo(kKeepAlivePage));
  EXPECT_EQ(kLan, wizard.Record().ConnectionType);
  EXPECT_TRUE(wizard.Buttons().next);
  wizard.Next();
  EXPECT_EQ(kModemBoostPage, wizard.Page());
  wizard.Back();
  EXPECT_EQ("Step 6 of 6 : Keep Alive Settings", wizard.Caption());
}

// The picture is stored in as few bytes as it takes (256 colours, run-length
// encoded): it must still load whole, in the colours it was drawn in.
TEST(ModemPage, ShowsThePortSpeedPictureWholeInItsColours) {
  WizardDriver wizard(kFamily9x);
  wizard.modemFound = 1;
  wizard.Open();
  Choose(wizard, IDC_CONNECTION_LAN);
  ASSERT_TRUE(wizard.NextTo(kModemBoostPage));
  HBITMAP picture = reinterpret_cast<HBITMAP>(
      SendDlgItemMessageA(wizard.PageWindow(), IDC_MODEM_PICTURE, STM_GETIMAGE,
                          IMAGE_BITMAP, 0));
  ASSERT_NE(nullptr, picture);
  BITMAP size = {};
  ASSERT_TRUE(GetObjectA(picture, sizeof size, &size));
  EXPECT_EQ(240, size.bmWidth);
  EXPECT_EQ(135, size.bmHeight);

  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.bmWidth;
  format.bmiHeader.biHeight = -size.bmHeight;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(size.bmWidth * size.bmHeight);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, picture, 0, size.bmHeight, pixels.data(),
                       &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(size.bmHeight, rows);
  const struct {
    int x, y;
    COLORREF colour;
    const char* where;
  } landmarks[] = {{5, 5, RGB(192, 192, 192), "dialog face"},
                   {33, 28, RGB(128, 128, 128), "drop-down frame"},
                   {63, 47, RGB(0, 0, 0), "list border"},
                   {100, 60, RGB(255, 255, 255), "list"},
                   {100, 115, RGB(0, 0, 128), "selected 921600"}};
  for (const auto& landmark : landmarks) {
    const RGBQUAD& pixel = pixels[landmark.y * size.bmWidth + landmark.x];
    EXPECT_EQ(landmark.colour,
              RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue))
        << landmark.where;
  }
}

TEST(EditBoxes, OnlyTheMtuAndKeepAliveBoxesHaveTheStaticEdge) {
  const struct {
    int page;
    std::vector<int> boxes;
    bool staticEdge;
  } pages[] = {
      {kMtuPage, {IDC_MTU_BOX, IDC_MSS_BOX}, true},
      {kReceiveWindowPage,
       {IDC_RWIN_MSS_BOX, IDC_RWIN_MULTIPLIER_BOX, IDC_RWIN_SCALING_BOX,
        IDC_RWIN_WINDOW_BOX},
       false},
      {kTtlPage, {IDC_TTL_BOX, IDC_HTTP_1_0_BOX, IDC_HTTP_1_1_BOX}, false},
      {kKeepAlivePage, {IDC_KEEP_ALIVE_TIME_BOX, IDC_KEEP_ALIVE_INTERVAL_BOX}, true},
      {kSynFloodPage, {IDC_SYN_LEVEL_BOX}, false}};
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  for (const auto& page : pages) {
    ASSERT_TRUE(wizard.NextTo(page.page)) << page.page;
    for (int box : page.boxes) {
      HWND edit = GetDlgItem(wizard.PageWindow(), box);
      ASSERT_NE(nullptr, edit) << box;
      EXPECT_EQ(page.staticEdge,
                (GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0)
          << "page " << page.page << ", box " << box;
      // A border of its own either way (the edit control takes WS_BORDER
      // out of its style and draws it around the client area).
      RECT window, client;
      GetWindowRect(edit, &window);
      GetClientRect(edit, &client);
      EXPECT_LT(client.right, window.right - window.left) << box;
    }
  }
}

}  // namespace
}  // namespace velo
