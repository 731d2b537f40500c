#include "app/TunerApp.h"

#include <commctrl.h>

#include <vector>

#include "app/AppSettings.h"
#include "app/TunerDlg.h"
#include "framework/HostedControl.h"
#include "framework/MessageBoundary.h"

namespace velo {

CMyPropertySheet* g_pWizardSheet = nullptr;

namespace {

std::string ModulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(),
                                      static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

void StartCommonControls() {
  typedef BOOL(WINAPI * InitEx)(const INITCOMMONCONTROLSEX*);
  HMODULE library = GetModuleHandleA("comctl32.dll");
  InitEx initEx = library ? reinterpret_cast<InitEx>(reinterpret_cast<void*>(
                                GetProcAddress(library, "InitCommonControlsEx")))
                          : nullptr;
  if (initEx) {
    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_USEREX_CLASSES | ICC_WIN95_CLASSES};
    initEx(&controls);
  } else {
    InitCommonControls();
  }
}

CTunerApp& App() {
  static CTunerApp app;
  return app;
}

CTunerApp::CTunerApp()
    : m_strModulePath(ModulePath()),
      texts_(m_szAppPath, m_szLanguage, languagePlatform_) {}

CTunerApp::~CTunerApp() {}

bool CTunerApp::InitInstance() {
  // The main window hosts the skin component's controls.
  ControlHosting hosting;
  StartCommonControls();
  ReadSettings();
  SetEscapeHeadline([] { return App().LoadText(TextId::EscapedError); });
  WindowsFamily family;
  if (!m_version.Classify(&family)) {
    Alert(LoadText(TextId::VersionUnknown),
          true);
    return false;
  }
  m_nWindowsFamily = family;
  m_limits = m_version.Limits(Winsock2Installed());
  mainDialog_.reset(new CTunerDlg());
  m_pMainDlg = mainDialog_.get();
  m_pMainDlg->DoModal(nullptr);
  return false;
}

int CTunerApp::Alert(const std::string& text, bool okOnly) {
  m_alert.m_strText = text;
  m_alert.m_strTitle = LoadText(TextId::AlertTitle);
  m_alert.m_bOkOnly = okOnly;
  HWND owner = m_pMainDlg ? GetActiveWindow() : nullptr;
  return static_cast<int>(m_alert.DoModal(owner)) == IDOK ? kAlertYes
                                                          : kAlertNo;
}

void CTunerApp::ReadSettings() {
  AppSettings settings = ReadAppSettings(*registry_);
  m_szAppPath = LanguageHome(settings, m_strModulePath, languagePlatform_);
  m_szLanguage = settings.language;
}

void CTunerApp::SaveLanguage(const std::string& name) {
  // A choice that cannot be stored still holds for this run.
  velo::SaveLanguage(*registry_, name);
}

SkinComponent* CTunerApp::MainSkin() const {
  return m_pMainDlg ? &m_pMainDlg->Skin() : nullptr;
}

void CTunerApp::SetControlText(TextId id, int controlId, HWND dialog) const {
  HWND control = GetDlgItem(dialog, controlId);
  if (control) SetWindowTextA(control, LoadText(id).c_str());
}

}  // namespace velo
