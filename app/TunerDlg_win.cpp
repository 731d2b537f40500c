#include "app/TunerDlg.h"

#include "app/AboutDlg.h"
#include "app/AnotherAccountsBackup.h"
#include "app/ThisAccount.h"
#include "app/TunerApp.h"
#include "framework/Window.h"
#include "res/resource.h"
#include "store/BackupHolder.h"
#include "store/BackupKey.h"
#include "store/Restore.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

namespace {

const char kMakerAddress[] = "http://www.velocine.example/";
const COLORREF kVisitedLink = RGB(0, 13, 0);

}  // namespace

CTunerDlg::CTunerDlg(SkinComponent* skin, SplashComponent* splash)
    : Dialog(IDD_MAIN),
      skin_(skin ? skin : &m_skin),
      splash_(splash ? splash : &m_splash),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr),
                        MAKEINTRESOURCEA(IDI_VELOCINE))) {
  Messages().OnCommand(IDC_MAIN_SET, BN_CLICKED, [this] { OnSetSettings(); });
  Messages().OnCommand(IDC_MAIN_RESET, BN_CLICKED,
                       [this] { OnResetSettings(); });
  Messages().OnCommand(IDC_MAIN_LANGUAGE, CBN_SELCHANGE,
                       [this] { OnLanguageChanged(); });
  Messages().OnMessage(WM_SYSCOMMAND, [this](WPARAM command, LPARAM, LRESULT*) {
    return OnSystemCommand(command);
  });
  Messages().OnMessage(WM_PAINT,
                       [this](WPARAM, LPARAM, LRESULT*) { return OnPaint(); });
  Messages().OnMessage(WM_QUERYDRAGICON, [this](WPARAM, LPARAM, LRESULT* icon) {
    *icon = reinterpret_cast<LRESULT>(m_hIcon);
    return true;
  });
  // F1 shows nothing.
  Messages().OnMessage(WM_HELP, [](WPARAM, LPARAM, LRESULT* result) {
    *result = FALSE;
    return true;
  });
  // The close box ends the program without asking.
  Messages().OnMessage(WM_CLOSE, [this](WPARAM, LPARAM, LRESULT*) {
    EndDialog(0);
    return true;
  });
}

CTunerDlg::~CTunerDlg() {
  if (g_pWizardSheet == wizardSheet_.get()) g_pWizardSheet = nullptr;
}

void CTunerDlg::DoDataExchange(DataExchange& exchange) {
  exchange.Bind(IDC_MAIN_LINK, m_link);
  exchange.Bind(IDC_MAIN_LANGUAGE, m_comboLanguage);
  exchange.Host(IDC_MAIN_SKIN, m_skin.Control());
  exchange.Host(IDC_MAIN_SPLASH, m_splash.Control());
}

const std::vector<CTunerDlg::InitStep>& CTunerDlg::InitSteps() {
  static const std::vector<InitStep> steps = {
      {"controls bound, skin objects created", &CTunerDlg::BindControls},
      {"system menu", &CTunerDlg::AddAboutToSystemMenu},
      {"icon", &CTunerDlg::SetIcons},
      {"language list", &CTunerDlg::FillLanguageList},
      {"texts", &CTunerDlg::ApplyTexts},
      {"Reset button", &CTunerDlg::ShowBackupState},
      {"web link", &CTunerDlg::SetUpLink},
      {"skin calls", &CTunerDlg::StartComponents},
  };
  return steps;
}

BOOL CTunerDlg::OnInitDialog() {
  for (const InitStep& step : InitSteps()) (this->*step.run)();
  return TRUE;
}

void CTunerDlg::BindControls() { Dialog::OnInitDialog(); }

void CTunerDlg::SetIcons() {
  // The small one first: a big icon given to a window without a small one
  // has the system make a small copy of it, which the small icon would then
  // replace.
  SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
}

void CTunerDlg::ShowBackupState() { EnableReset(ResetMayWork()); }

void CTunerDlg::SetUpLink() {
  m_link.SetURL(kMakerAddress);
  m_link.SetUseTooltip(true);
  m_link.SetTooltipText(App().LoadText(TextId::WebLinkText));
  m_link.SetVisitedColour(kVisitedLink);
}

void CTunerDlg::AddAboutToSystemMenu() {
  char text[256];
  int length = LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text,
                           sizeof text);
  HMENU menu = GetSystemMenu(Hwnd(), FALSE);
  if (length <= 0 || !menu) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

std::string CTunerDlg::ProgramFolder() const {
  const std::string& path = App().m_strModulePath;
  std::string::size_type slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void CTunerDlg::StartComponents() {
  // Without the component installed its controls are not hosted, the calls
  // do nothing and the windows are drawn plain.
  std::string folder = ProgramFolder();
  splash_->LoadSplash(folder + "\\Skin\\Splash.spl");
  splash_->SetDisplayTime(0);
  splash_->SetShown(false);
  skin_->LoadSkin(folder + "\\Skin\\Title.skn");
  skin_->SkinWindow(HandleToLong(Hwnd()));
}

void CTunerDlg::FillLanguageList() {
  m_comboLanguage.Fill(App().m_szAppPath, App().m_szLanguage);
}

void CTunerDlg::ApplyTexts() {
  const CTunerApp& app = App();
  auto reading = app.ReadLanguageFileOnce();
  SetWindowTextString(Hwnd(), app.LoadText(TextId::ProgramName));
  app.SetControlText(TextId::Introduction, IDC_MAIN_INTRODUCTION, Hwnd());
  app.SetControlText(TextId::Hint, IDC_MAIN_HINT, Hwnd());
  app.SetControlText(TextId::SetButton, IDC_MAIN_SET, Hwnd());
  app.SetControlText(TextId::ResetButton, IDC_MAIN_RESET, Hwnd());
  app.SetControlText(TextId::LanguageLabel, IDC_MAIN_LANGUAGE_LABEL, Hwnd());
}

// A backup that cannot be looked at may still be there: Reset tries, and
// says so when it cannot put it back.
bool CTunerDlg::ResetMayWork() const {
  return LookForBackup(App().registry()) != kBackupAbsent;
}

void CTunerDlg::EnableReset(bool enable) {
  EnableWindow(Item(IDC_MAIN_RESET), enable);
}

bool CTunerDlg::IsResetEnabled() const {
  return IsWindowEnabled(Item(IDC_MAIN_RESET)) != FALSE;
}

bool CTunerDlg::OnSystemCommand(WPARAM command) {
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  about.DoModal(Hwnd());
  return true;
}

bool CTunerDlg::OnPaint() {
  if (!IsIconic(Hwnd())) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Hwnd(), &paint);
  SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(Hwnd(), &client);
  int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(Hwnd(), &paint);
  return true;
}

void CTunerDlg::OnSetSettings() {
  // A new run replaces the backup: ask first while one exists, as the
  // registry has it now rather than as the Reset button showed it.
  const BackupPresence backup = LookForBackup(App().registry());
  EnableReset(backup != kBackupAbsent);
  // One that cannot be read may hold the originals: a new run would record
  // the tuned values in their place.
  if (backup == kBackupUnknown) {
    App().Alert(App().LoadText(TextId::NoBackupNoChange), true);
    return;
  }
  if (backup == kBackupPresent &&
      App().Alert(App().LoadText(TextId::OverwriteBackupQuestion),
                  false) != kAlertYes)
    return;
  // None here, but another account's hive may hold the originals: a new run
  // would record the tuned values as this account's originals.
  if (backup == kBackupAbsent) {
    BackupHolder holder;
    switch (ReadBackupHolder(App().registry(), ThisAccountNow().account,
                             &holder)) {
      case kNoteUnreadable:
        App().Alert(App().LoadText(TextId::NoBackupNoChange), true);
        return;
      case kNoteOfAnotherAccount:
        if (App().Alert(AnotherAccountsBackupQuestion(App().Localized(),
                                                      holder),
                        false) != kAlertYes)
          return;
        break;
      default:
        break;
    }
  }
  // A fresh sheet for every run: it takes a new backup when it opens.
  std::unique_ptr<CMyPropertySheet> sheet(
      new CMyPropertySheet(MakeWizardRun()));
  g_pWizardSheet = sheet.get();
  wizardSheet_ = std::move(sheet);
  g_pWizardSheet->DoModal(Hwnd());
}

WizardRun CTunerDlg::MakeWizardRun() {
  CTunerApp& app = App();
  return {app.registry(),
          static_cast<WindowsFamily>(app.m_nWindowsFamily),
          app.m_limits,
          app.Localized(),
          [](const std::string& text) { App().Alert(text, true); },
          &Skin(),
          app.ModemFound,
          app.prober(),
          ThisAccountNow,
          [this](bool hasBackup) { EnableReset(hasBackup); }};
}

void CTunerDlg::OnResetSettings() {
  CTunerApp& app = App();
  RestoreOutcome outcome = RestoreBackup(
      app.registry(), static_cast<WindowsFamily>(app.m_nWindowsFamily),
      ThisAccountNow().account);
  if (outcome.result == kRestoredAll) {
    app.Alert(app.LoadText(TextId::ResetDone),
              true);
  } else {
    app.Alert(app.LoadText(TextId::ResetFailed), true);
  }
  // The button stands for the backup: one that could not all be put back
  // stays, so Reset can be tried again.
  EnableReset(ResetMayWork());
}

void CTunerDlg::OnLanguageChanged() {
  std::string name;
  if (!m_comboLanguage.SelectedName(&name)) return;
  App().m_szLanguage = name;
  ApplyTexts();
  App().SaveLanguage(name);
}

}  // namespace velo
