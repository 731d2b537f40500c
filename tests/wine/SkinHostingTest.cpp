// The main window hosts the skin component's two controls, through real COM
// and the stand-in control: the stand-in's log must show, for each control,
// its creation, its site with the ambients it reads, its properties loaded
// from the bytes the template gives it and its in-place activation in the
// placeholder's rectangle; then the method calls, in their order; and when
// the window closes, each control deactivated, closed, cut from its site and
// released, the last hosted first.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramRun.h"
#include "Screenshot.h"
#include "SkinLog.h"
#include "SkinStandInRegistration.h"
#include "WithSkinStandIn.h"
#include "framework/ControlInitData.h"
#include "framework/WindowRect.h"
#include "res/resource.h"
#include "skinstandin/CallLog.h"

namespace velo {
namespace {

struct HostedPlace {
  const char* object;
  int placeholderId;
  const char* tag;  // how its persisted properties start
};

const HostedPlace kPlaces[] = {{"skin", IDC_MAIN_SKIN, "VSKN"},
                               {"splash", IDC_MAIN_SPLASH, "VSPL"}};

struct StandInSearch {
  const char* object;
  HWND found;
};

BOOL CALLBACK MatchStandInWindow(HWND child, LPARAM state) {
  StandInSearch* search = reinterpret_cast<StandInSearch*>(state);
  char className[64] = "", text[64] = "";
  GetClassNameA(child, className, sizeof className);
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpA(className, "VelocineSkinStandIn") != 0 ||
      lstrcmpA(text, search->object) != 0)
    return TRUE;
  search->found = child;
  return FALSE;
}

// The stand-in's window of that name among the main window's children.
HWND StandInWindow(HWND mainWindow, const char* object) {
  StandInSearch search = {object, nullptr};
  EnumChildWindows(mainWindow, &MatchStandInWindow,
                   reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class SkinHosting : public WithSkinStandIn<::testing::TestWithParam<const char*>> {
 protected:
  SkinHosting() : WithSkinStandIn("skinhosting") {}
};

TEST_P(SkinHosting, MainWindowHostsBothControlsAndTearsThemDown) {
  // This test program carries the same resources as the program.
  ControlInitData initData = TemplateInitData(IDD_MAIN);
  for (const HostedPlace& place : kPlaces) {
    const std::vector<uint8_t>* stream = initData.StreamOf(place.placeholderId);
    ASSERT_NE(nullptr, stream) << place.object;
    ASSERT_EQ(16u, stream->size()) << place.object;
    EXPECT_EQ(place.tag, std::string(stream->begin(), stream->begin() + 4));
  }

  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  HWND mainWindow = nullptr;
  RECT areas[2] = {};
  {
    ProgramRun program(GetParam());
    ASSERT_TRUE(program.Started());
    mainWindow = program.WaitForDialog("Velocine");
    ASSERT_NE(nullptr, mainWindow);
    // The main window shows once its initialisation, and so the hosting,
    // is done.
    for (int i = 0; i < 2; ++i) {
      HWND placeholder = GetDlgItem(mainWindow, kPlaces[i].placeholderId);
      ASSERT_NE(nullptr, placeholder) << kPlaces[i].object;
      areas[i] = WindowRectIn(placeholder, mainWindow);
      EXPECT_FALSE(IsWindowVisible(placeholder)) << kPlaces[i].object;
      HWND control = StandInWindow(mainWindow, kPlaces[i].object);
      ASSERT_NE(nullptr, control) << kPlaces[i].object;
      EXPECT_TRUE(IsWindowVisible(control)) << kPlaces[i].object;
      EXPECT_EQ(FormatRect(areas[i]),
                FormatRect(WindowRectIn(control, mainWindow)))
          << kPlaces[i].object;
    }
    if (std::string(GetParam()) == "winxp")
      SaveScreenshot(mainWindow, "main-skin-controls");
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
  }

  std::vector<std::string> expected;
  for (int i = 0; i < 2; ++i) {
    const std::string object = kPlaces[i].object;
    const std::string area = FormatRect(areas[i]);
    for (const std::string& words :
         {std::string("IClassFactory::CreateInstance"),
          std::string("IOleObject::GetMiscStatus 1"),
          std::string("IOleObject::SetClientSite site"),
          std::string("Ambient::UserMode BOOL:true"),
          std::string("Ambient::BackColor I4:15066597"),  // RGB(229, 229, 229)
          "IPersistStreamInit::Load " +
              FormatBytes(*initData.StreamOf(kPlaces[i].placeholderId)),
          "IOleObject::DoVerb -5 " + area,
          "InPlace::Window " + std::to_string(HandleToLong(mainWindow)) + " " +
              area})
      expected.push_back(object + " " + words);
  }
  const std::string folder = ProgramFolder();
  for (const LoggedSkinCall& call :
       {LoadSplashCall(folder + "\\Skin\\Splash.spl"), SplashDisplayTimeCall(0),
        SplashShownCall(false), LoadSkinCall(folder + "\\Skin\\Title.skn"),
        SkinWindowCall(mainWindow)})
    expected.push_back(SequenceLine(call));
  for (const char* object : {"splash", "skin"})
    for (const char* words :
         {"IOleInPlaceObject::InPlaceDeactivate", "IOleObject::Close 1",
          "IOleObject::SetClientSite null", "IUnknown::Release last"})
      expected.push_back(std::string(object) + " " + words);

  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  EXPECT_EQ(expected, log.sequence);
}

// Windows 95 with its own OLE, and XP.
INSTANTIATE_TEST_SUITE_P(Windows, SkinHosting,
                         ::testing::Values("win95", "winxp"));

}  // namespace
}  // namespace velo
