// The real program and the skin component, through real COM: the stand-in
// component is registered in the prefix, the program creates it as it would
// the real one, and the stand-in's log tells which calls arrived, in which
// order, with which arguments.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramRun.h"
#include "SkinLog.h"
#include "SkinStandInRegistration.h"
#include "WithSkinStandIn.h"
#include "registry/RegKey.h"
#include "res/resource.h"
#include "skinstandin/StandInClasses.h"

namespace velo {
namespace {

bool ClassRegisteredAnywhere() {
  Win32Registry registry;
  for (RegHandle root : {kHkeyCurrentUser, kHkeyLocalMachine})
    for (const std::string& key : SkinComponentClassKeys()) {
      RegKey classKey(registry);
      if (classKey.Open(root, key, kAccessRead) == kRegOk) return true;
    }
  return false;
}

class SkinComponent : public WithSkinStandIn<::testing::Test> {
 protected:
  SkinComponent() : WithSkinStandIn("skinlog") {}
};

// The stand-in itself, created and called in this process as the program
// would: arguments come out in declared order, texts intact, and anything
// other than a plain method call is refused without a line.
TEST_F(SkinComponent, StandInLogsEachMethodCallAsMade) {
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IDispatch* objects[2] = {};
  for (int i = 0; i < 2; ++i) {
    wchar_t classText[40];
    MultiByteToWideChar(CP_ACP, 0, kStandInClasses[i].classId, -1, classText,
                        40);
    CLSID classId;
    ASSERT_EQ(S_OK, CLSIDFromString(classText, &classId));
    ASSERT_EQ(S_OK, CoCreateInstance(classId, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                     IID_IDispatch,
                                     reinterpret_cast<void**>(&objects[i])));
  }
  IDispatch* skin = objects[0];
  IDispatch* splash = objects[1];

  // Declared (window, element); IDispatch takes them last first.
  VARIANTARG element[2];
  VariantInit(&element[0]);
  VariantInit(&element[1]);
  element[0].vt = VT_BSTR;
  element[0].bstrVal = SysAllocString(L"100% Small\tButton \x00e9");
  element[1].vt = VT_I4;
  element[1].lVal = -42;
  DISPPARAMS twoArguments = {element, nullptr, 2, 0};
  EXPECT_EQ(S_OK, skin->Invoke(0x60020007, IID_NULL, LOCALE_USER_DEFAULT,
                               DISPATCH_METHOD, &twoArguments, nullptr,
                               nullptr, nullptr));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            skin->Invoke(0x60020007, IID_NULL, LOCALE_USER_DEFAULT,
                         DISPATCH_PROPERTYGET, &twoArguments, nullptr, nullptr,
                         nullptr));
  VariantClear(&element[0]);

  VARIANTARG flag;
  VariantInit(&flag);
  flag.vt = VT_BOOL;
  flag.boolVal = VARIANT_TRUE;
  DISPPARAMS oneArgument = {&flag, nullptr, 1, 0};
  EXPECT_EQ(S_OK, splash->Invoke(15, IID_NULL, LOCALE_USER_DEFAULT,
                                 DISPATCH_METHOD, &oneArgument, nullptr,
                                 nullptr, nullptr));
  // A DISPID the component does not have: logged, and answered as unknown.
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            splash->Invoke(0x60020007, IID_NULL, LOCALE_USER_DEFAULT,
                           DISPATCH_METHOD, &oneArgument, nullptr, nullptr,
                           nullptr));
  skin->Release();
  splash->Release();
  CoUninitialize();

  LoggedSkinCall element42;
  element42.object = "skin";
  element42.dispid = 0x60020007;
  element42.arguments = {"I4:-42", "BSTR:100% Small\tButton \xC3\xA9"};
  LoggedSkinCall shown;
  shown.object = "splash";
  shown.dispid = 15;
  shown.arguments = {"BOOL:true"};
  LoggedSkinCall stray = shown;
  stray.dispid = 0x60020007;
  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  EXPECT_EQ((std::vector<LoggedSkinCall>{element42, shown, stray}), log.calls);
  // Both objects made and, once let go, gone.
  EXPECT_EQ((std::vector<std::string>{"skin IClassFactory::CreateInstance",
                                      "splash IClassFactory::CreateInstance",
                                      "skin IUnknown::Release last",
                                      "splash IUnknown::Release last"}),
            log.hosting);
}

TEST_F(SkinComponent, MainWindowAndAboutBoxHandTheirWindowsToTheComponent) {
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  HWND mainWindow = nullptr, about = nullptr;
  HWND aboutLabels[3] = {}, aboutOk = nullptr;
  {
    ProgramRun program("winxp");
    ASSERT_TRUE(program.Started());
    mainWindow = program.WaitForDialog("Velocine");
    ASSERT_NE(nullptr, mainWindow);
    PostMessageA(mainWindow, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    about = program.WaitForDialog("About Velocine");
    ASSERT_NE(nullptr, about);
    const int labels[] = {IDC_ABOUT_VERSION_LABEL, IDC_ABOUT_FILEVERSION,
                          IDC_ABOUT_COPYRIGHT};
    for (int i = 0; i < 3; ++i) {
      aboutLabels[i] = GetDlgItem(about, labels[i]);
      ASSERT_NE(nullptr, aboutLabels[i]) << "control " << labels[i];
    }
    aboutOk = GetDlgItem(about, IDOK);
    ASSERT_NE(nullptr, aboutOk);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitUntilGone(about));
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit());
  }

  const std::string folder = ProgramFolder();
  std::vector<LoggedSkinCall> expected = {
      LoadSplashCall(folder + "\\Skin\\Splash.spl"),
      SplashDisplayTimeCall(0),
      SplashShownCall(false),
      LoadSkinCall(folder + "\\Skin\\Title.skn"),
      SkinWindowCall(mainWindow),
      SkinElementCall(about, "MsgSkin"),
      SkinElementCall(aboutLabels[0], "Label"),
      SkinElementCall(aboutLabels[1], "Label"),
      SkinElementCall(aboutLabels[2], "Label"),
      SkinElementCall(aboutOk, "Small Button"),
  };
  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  EXPECT_EQ(expected, log.calls);
}

TEST_F(SkinComponent, WithoutTheComponentTheProgramRunsPlain) {
  ASSERT_FALSE(ClassRegisteredAnywhere())
      << "a skin component is registered in this prefix";
  {
    ProgramRun program("winxp");
    ASSERT_TRUE(program.Started());
    HWND mainWindow = program.WaitForDialog("Velocine");
    ASSERT_NE(nullptr, mainWindow);
    // Nothing took the placeholders' place.
    for (int placeholder : {IDC_MAIN_SKIN, IDC_MAIN_SPLASH})
      EXPECT_TRUE(IsWindowVisible(GetDlgItem(mainWindow, placeholder)))
          << placeholder;
    PostMessageA(mainWindow, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = program.WaitForDialog("About Velocine");
    ASSERT_NE(nullptr, about);
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitUntilGone(about));
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit());
  }
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(log_.Path().c_str()))
      << "nothing may have reached a component";
}

TEST_F(SkinComponent, StartupAlertOnAnUnknownWindowsMakesNoSkinCalls) {
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  {
    ProgramRun program("vista");
    ASSERT_TRUE(program.Started());
    HWND alert = program.WaitForDialog("Alert");
    ASSERT_NE(nullptr, alert);
    PostMessageA(alert, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitForExit());
  }
  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  EXPECT_EQ(std::vector<LoggedSkinCall>(), log.calls);
  EXPECT_EQ(std::vector<std::string>(), log.hosting);
}

}  // namespace
}  // namespace velo
