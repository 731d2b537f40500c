#include "WizardDriver.h"

#include "app/TunerApp.h"
#include "app/ThisAccount.h"
#include "app/TunerDlg.h"
#include "res/resource.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"

namespace velo {

namespace {

// The text of a standard message box.
const int kMessageBoxText = 0xFFFF;

bool Shown(HWND button) {
  return IsWindowVisible(button) && IsWindowEnabled(button);
}

}  // namespace

WizardDriver::WizardDriver(WindowsFamily family)
    : kept_(App().registry(), family), family_(family) {
  prober_.target = &App().prober();
  answering_.reset(new ModalDriver([this](HWND dialog) { Answer(dialog); }));
}

WizardDriver::~WizardDriver() {
  if (sheet_ && sheet_->Hwnd()) DestroyWindow(sheet_->Hwnd());
  Pump();
  answering_.reset();
  if (g_pWizardSheet == sheet_.get()) g_pWizardSheet = nullptr;
}

void WizardDriver::Open() {
  CTunerApp& app = App();
  const WizardRun run{app.registry(),
                      family_,
                      app.m_limits,
                      app.Localized(),
                      [](const std::string& text) { App().Alert(text, true); },
                      app.MainSkin(),
                      modemFound,
                      prober_,
                      ThisAccountNow,
                      [](bool hasBackup) {
                        if (App().m_pMainDlg)
                          App().m_pMainDlg->EnableReset(hasBackup);
                      }};
  sheet_.reset(new CMyPropertySheet(run));
  g_pWizardSheet = sheet_.get();
  sheet_->CreateModeless(nullptr);
  Pump();
}

void WizardDriver::Answer(HWND dialog) {
  // Only the alert box and the standard message box; not the sheet nor a
  // main window.
  HWND text = GetDlgItem(dialog, IDC_ALERT_TEXT);
  if (!text) text = GetDlgItem(dialog, kMessageBoxText);
  if (!text) return;
  messages.push_back(TextOf(text));
  ClickButton(dialog, IDOK);
}

void WizardDriver::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

int WizardDriver::Page() const {
  if (!sheet_->Hwnd() || !PageWindow()) return -1;
  return sheet_->ActiveIndex();
}

HWND WizardDriver::PageWindow() const {
  return reinterpret_cast<HWND>(
      SendMessageA(sheet_->Hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string WizardDriver::Caption() const { return TextOf(sheet_->Hwnd()); }

WizardButtonsShown WizardDriver::Buttons() const {
  HWND sheet = sheet_->Hwnd();
  return {Shown(GetDlgItem(sheet, kWizardBack)),
          Shown(GetDlgItem(sheet, kWizardNext)),
          Shown(GetDlgItem(sheet, kWizardFinish))};
}

void WizardDriver::Press(int button) {
  SendMessageA(sheet_->Hwnd(), PSM_PRESSBUTTON, button, 0);
  Pump();
}

void WizardDriver::Next() { Press(PSBTN_NEXT); }
void WizardDriver::Back() { Press(PSBTN_BACK); }
void WizardDriver::Finish() { Press(PSBTN_FINISH); }
void WizardDriver::Cancel() { Press(PSBTN_CANCEL); }

bool WizardDriver::NextTo(int index) {
  for (int presses = 0; presses < 9 && Page() != index; ++presses) Next();
  return Page() == index;
}

bool WizardDriver::BackTo(int index) {
  for (int presses = 0; presses < 9 && Page() != index; ++presses) Back();
  return Page() == index;
}

std::string WizardDriver::Text(int controlId) const {
  return TextOf(GetDlgItem(PageWindow(), controlId));
}

void WizardDriver::Type(int controlId, const std::string& text) {
  SetWindowTextA(GetDlgItem(PageWindow(), controlId), text.c_str());
  Pump();
}

void WizardDriver::Click(int controlId) {
  SendMessageA(GetDlgItem(PageWindow(), controlId), BM_CLICK, 0, 0);
  Pump();
}

bool WizardDriver::PumpUntil(const std::function<bool()>& condition,
                             int milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    Pump();
    if (condition()) return true;
    if (GetTickCount() - start >= static_cast<DWORD>(milliseconds))
      return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void WizardDriver::Leave(int controlId) {
  SetFocus(GetDlgItem(PageWindow(), controlId));
  SetFocus(GetDlgItem(sheet_->Hwnd(), IDCANCEL));
  Pump();
}

void WizardDriver::Check(int controlId, bool checked) {
  CheckDlgButton(PageWindow(), controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool WizardDriver::IsChecked(int controlId) const {
  return IsDlgButtonChecked(PageWindow(), controlId) == BST_CHECKED;
}

namespace {

std::string ModemKey(WindowsFamily family, const std::string& name) {
  return std::string(ModemClassKeyName(family)) + "\\" + name;
}

}  // namespace

void AddBoostableModem(WindowsFamily family, const std::string& name) {
  Put(App().registry(), ModemKey(family, name), "Properties",
      ModemRecord(115200));
}

RegValue ModemProperties(WindowsFamily family, const std::string& name) {
  RegValue properties;
  Get(App().registry(), ModemKey(family, name), "Properties", &properties);
  return properties;
}

}  // namespace velo
