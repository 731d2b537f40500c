// The control container in this process: the stand-in control hosted in a
// dialog through data exchange, a class that is not installed, and the
// site's answers to what a control asks of it.
#include <windows.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinLog.h"
#include "SkinStandInRegistration.h"
#include "framework/ControlSite.h"
#include "framework/Dialog.h"
#include "framework/HostedControl.h"
#include "res/resource.h"

namespace velo {
namespace {

// {BA8C584B-209C-4D54-8BB1-8AB5F1DCA18E}, which the stand-in serves as "skin"
const CLSID kStandInSkin = {0xBA8C584B, 0x209C, 0x4D54,
                            {0x8B, 0xB1, 0x8A, 0xB5, 0xF1, 0xDC, 0xA1, 0x8E}};
// A class nobody installs.
const CLSID kNotInstalled = {0x0E6F1B52, 0x5C3D, 0x4A8E,
                             {0x9B, 0x11, 0x27, 0x44, 0x0C, 0x6D, 0xE2, 0x91}};

// Its own visibility, whether or not its dialog shows.
bool ShowsItself(HWND control) {
  return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A dialog that hosts one control in the place of one of its controls.
class HostingDialog : public Dialog {
 public:
  HostingDialog(int templateId, int placeholderId, HostedControl& control)
      : Dialog(templateId), placeholderId_(placeholderId), control_(control) {}

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    exchange.Host(placeholderId_, control_);
  }

 private:
  int placeholderId_;
  HostedControl& control_;
};

class ControlContainer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SkinStandInDll().empty()) GTEST_SKIP() << "VELO_SKIN_DLL is not set";
    ASSERT_FALSE(log_.Path().empty());
  }

  ControlHosting hosting_;
  SkinLogFile log_{"hostedcontrol"};
};

TEST_F(ControlContainer, HostsOnceWithDefaultsWhereTheTemplateHasNoDataAndTearsDown) {
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  HostedControl control(kStandInSkin);
  // The About box's template gives its controls no data: its OK button
  // serves as the placeholder.
  HostingDialog dialog(IDD_ABOUTBOX, IDOK, control);
  HWND window = dialog.CreateModeless(nullptr);
  ASSERT_NE(nullptr, window);
  HWND placeholder = GetDlgItem(window, IDOK);
  EXPECT_NE(nullptr, control.Dispatch());
  EXPECT_FALSE(ShowsItself(placeholder));
  // A second exchange does not host it again.
  dialog.UpdateData(false);
  DestroyWindow(window);
  EXPECT_EQ(nullptr, control.Dispatch());

  SkinLog log = log_.Read();
  EXPECT_EQ(std::vector<std::string>(), log.unreadable);
  ASSERT_EQ(12u, log.hosting.size()) << ::testing::PrintToString(log.hosting);
  EXPECT_EQ("skin IClassFactory::CreateInstance", log.hosting[0]);
  EXPECT_EQ("skin IOleObject::SetClientSite site", log.hosting[2]);
  EXPECT_EQ("skin IPersistStreamInit::InitNew", log.hosting[5]);
  EXPECT_EQ(0u, log.hosting[6].find("skin IOleObject::DoVerb -5 "));
  EXPECT_EQ(0u, log.hosting[7].find("skin InPlace::Window "));
  EXPECT_EQ((std::vector<std::string>{
                "skin IOleInPlaceObject::InPlaceDeactivate",
                "skin IOleObject::Close 1",
                "skin IOleObject::SetClientSite null",
                "skin IUnknown::Release last"}),
            std::vector<std::string>(log.hosting.begin() + 8,
                                     log.hosting.end()));
}

TEST_F(ControlContainer, AClassThatIsNotInstalledLeavesThePlaceholder) {
  HostedControl control(kNotInstalled);
  HostingDialog dialog(IDD_MAIN, IDC_MAIN_SKIN, control);
  HWND window = dialog.CreateModeless(nullptr);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(nullptr, control.Dispatch());
  EXPECT_TRUE(ShowsItself(GetDlgItem(window, IDC_MAIN_SKIN)));
  DestroyWindow(window);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(log_.Path().c_str()));
}

// A control that cannot load its properties or activate is let go whole,
// and the placeholder stays.
TEST_F(ControlContainer, AControlThatRefusesToStartIsLetGo) {
  SkinStandInRegistration registration(SkinStandInDll());
  ASSERT_TRUE(registration.Registered());
  // What follows the refused call, whichever it is.
  const std::vector<std::string> letGo = {
      "skin IOleObject::Close 1", "skin IOleObject::SetClientSite null",
      "skin IUnknown::Release last"};
  for (const char* step : {"IPersistStreamInit::Load", "IOleObject::DoVerb"}) {
    ASSERT_TRUE(SetEnvironmentVariableA("VELO_SKIN_REFUSE", step));
    HostedControl control(kStandInSkin);
    HostingDialog dialog(IDD_MAIN, IDC_MAIN_SKIN, control);
    HWND window = dialog.CreateModeless(nullptr);
    SetEnvironmentVariableA("VELO_SKIN_REFUSE", nullptr);
    ASSERT_NE(nullptr, window) << step;
    EXPECT_EQ(nullptr, control.Dispatch()) << step;
    EXPECT_TRUE(ShowsItself(GetDlgItem(window, IDC_MAIN_SKIN)))
        << step;
    DestroyWindow(window);

    SkinLog log = log_.Read();
    DeleteFileA(log_.Path().c_str());
    EXPECT_EQ(std::vector<std::string>(), log.unreadable) << step;
    ASSERT_GT(log.hosting.size(), letGo.size()) << step;
    auto refused = log.hosting.end() - letGo.size() - 1;
    EXPECT_EQ(0u, refused->find(std::string("skin ") + step))
        << *refused;
    EXPECT_EQ(letGo,
              std::vector<std::string>(refused + 1, log.hosting.end()))
        << step;
  }
}

// What the site tells a control: its window and rectangle, no document
// window, no accelerators, sizes in its pixels, and the ambients of a dialog
// that runs for the user.
TEST(ControlSiteAnswers, WindowContextSizesAndAmbients) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, owner);
  const RECT area = {12, 20, 44, 53};
  ControlSite* site = new ControlSite(owner, area);

  IOleInPlaceSite* inPlace = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(IID_IOleInPlaceSite,
                                       reinterpret_cast<void**>(&inPlace)));
  HWND window = nullptr;
  EXPECT_EQ(S_OK, inPlace->GetWindow(&window));
  EXPECT_EQ(owner, window);
  EXPECT_EQ(S_OK, inPlace->CanInPlaceActivate());
  EXPECT_FALSE(site->InPlaceActive());
  EXPECT_EQ(S_OK, inPlace->OnInPlaceActivate());
  EXPECT_TRUE(site->InPlaceActive());
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = reinterpret_cast<IOleInPlaceUIWindow*>(1);
  RECT position = {}, clip = {};
  OLEINPLACEFRAMEINFO info = {sizeof info, TRUE, nullptr, nullptr, 99};
  ASSERT_EQ(S_OK, inPlace->GetWindowContext(&frame, &document, &position,
                                            &clip, &info));
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(nullptr, document);
  EXPECT_TRUE(EqualRect(&area, &position));
  EXPECT_TRUE(EqualRect(&area, &clip));
  EXPECT_FALSE(info.fMDIApp);
  EXPECT_EQ(owner, info.hwndFrame);
  EXPECT_EQ(0u, info.cAccelEntries);
  EXPECT_EQ(INPLACE_E_NOTOOLSPACE, frame->RequestBorderSpace(nullptr));
  EXPECT_EQ(S_OK, frame->SetBorderSpace(nullptr));
  frame->Release();
  EXPECT_EQ(S_OK, inPlace->OnInPlaceDeactivate());
  EXPECT_FALSE(site->InPlaceActive());
  inPlace->Release();

  // Sizes between HIMETRIC and the screen's pixels: an inch each way.
  IOleControlSite* controlSite = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(IID_IOleControlSite,
                                       reinterpret_cast<void**>(&controlSite)));
  HDC screen = GetDC(nullptr);
  const float perInchX = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSX));
  const float perInchY = static_cast<float>(GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  POINTL himetric = {2540, -5080};
  POINTF pixels = {0, 0};
  EXPECT_EQ(S_OK, controlSite->TransformCoords(
                      &himetric, &pixels,
                      XFORMCOORDS_SIZE | XFORMCOORDS_HIMETRICTOCONTAINER));
  EXPECT_FLOAT_EQ(perInchX, pixels.x);
  EXPECT_FLOAT_EQ(-2 * perInchY, pixels.y);
  pixels.x = 3 * perInchX;
  pixels.y = perInchY;
  EXPECT_EQ(S_OK, controlSite->TransformCoords(
                      &himetric, &pixels,
                      XFORMCOORDS_POSITION | XFORMCOORDS_CONTAINERTOHIMETRIC));
  EXPECT_EQ(7620, himetric.x);
  EXPECT_EQ(2540, himetric.y);
  EXPECT_EQ(E_INVALIDARG,
            controlSite->TransformCoords(&himetric, &pixels, XFORMCOORDS_SIZE));
  controlSite->Release();

  IDispatch* ambients = nullptr;
  ASSERT_EQ(S_OK, site->QueryInterface(IID_IDispatch,
                                       reinterpret_cast<void**>(&ambients)));
  struct Expected {
    DISPID id;
    VARTYPE type;
    LONG value;
  };
  const Expected known[] = {
      {DISPID_AMBIENT_USERMODE, VT_BOOL, VARIANT_TRUE},
      {DISPID_AMBIENT_UIDEAD, VT_BOOL, VARIANT_FALSE},
      {DISPID_AMBIENT_SHOWHATCHING, VT_BOOL, VARIANT_FALSE},
      {DISPID_AMBIENT_SHOWGRABHANDLES, VT_BOOL, VARIANT_FALSE},
      {DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, VARIANT_FALSE},
      {DISPID_AMBIENT_BACKCOLOR, VT_I4, static_cast<LONG>(kDialogBackground)},
      {DISPID_AMBIENT_FORECOLOR, VT_I4, static_cast<LONG>(kDialogText)},
      {DISPID_AMBIENT_LOCALEID, VT_I4, static_cast<LONG>(GetUserDefaultLCID())},
  };
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  for (const Expected& ambient : known) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_ERROR;
    ASSERT_EQ(S_OK, ambients->Invoke(ambient.id, IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_PROPERTYGET, &none, &value,
                                     nullptr, nullptr))
        << ambient.id;
    EXPECT_EQ(ambient.type, value.vt) << ambient.id;
    EXPECT_EQ(ambient.value, value.vt == VT_BOOL ? value.boolVal : value.lVal)
        << ambient.id;
  }
  // The font is not one the dialog gives; nothing is set from outside.
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            ambients->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT,
                             DISPATCH_PROPERTYGET, &none, &value, nullptr,
                             nullptr));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND,
            ambients->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL,
                             LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &none,
                             nullptr, nullptr, nullptr));
  EXPECT_EQ(VT_EMPTY, value.vt);
  ambients->Release();
  site->Release();
  DestroyWindow(owner);
}

}  // namespace
}  // namespace velo
