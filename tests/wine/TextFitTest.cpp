// Every window and wizard step of the program, in every language file the
// project ships, with the longest current-value phrases: each static text
// must show whole, in characters its font can draw. A language file is measured in the run whose ANSI code
// page it is written in; the test scripts run this check once per code
// page and name the code pages they run in VELO_TEXT_FIT_CODE_PAGES, each
// at 96 dpi and at 120 ("Large Fonts"), naming the dpi of each run in
// VELO_TEXT_FIT_DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Environment.h"
#include "ModalDriver.h"
#include "Screenshot.h"
#include "SourceTree.h"
#include "TextFit.h"
#include "WizardDriver.h"
#include "app/AnotherAccountsBackup.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "app/WindowsVersion.h"
#include "registry/RegKey.h"
#include "res/resource.h"
#include "res/wizard/ChooseConnectionType.h"
#include "res/wizard/MTUSettings.h"
#include "support/AnsiCodePage.h"
#include "support/RecordingSkin.h"
#include "tuning/ClosingMessage.h"
#include "wizard/MtuFinderStatus.h"
#include "wizard/WizardFlow.h"

namespace velo {
namespace {

struct LanguageFile {
  std::string name;  // without folder and ".ini"
  int codePage;      // the one it is measured under
  bool plainAscii;   // read the same in every code page
};

void PrintTo(const LanguageFile& language, std::ostream* out) {
  *out << language.name << " (code page " << language.codePage << ")";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every language file in the source tree's Lang folder; one in plain ASCII
// is measured with the Western European code page.
std::vector<LanguageFile> ShippedLanguages() {
  const std::string folder = SourcePath("res/Lang") + "\\";
  std::vector<LanguageFile> languages;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return languages;
  do {
    std::string file = found.cFileName;
    int codePage = GuessAnsiCodePage(ReadFile(folder + file));
    bool plainAscii = codePage == kPlainAscii;
    if (plainAscii) codePage = kWesternEuropean;
    languages.push_back({file.substr(0, file.size() - 4), codePage, plainAscii});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return languages;
}

// How many languages the list offers in this run: those written in its
// code page, and those in plain ASCII, which read the same in every one.
int LanguagesOffered() {
  int offered = 0;
  for (const LanguageFile& language : ShippedLanguages())
    offered += language.codePage == static_cast<int>(GetACP()) ||
               language.plainAscii;
  return offered;
}

std::vector<LanguageFile> LanguagesOfThisCodePage() {
  std::vector<LanguageFile> mine;
  for (const LanguageFile& language : ShippedLanguages())
    if (language.codePage == static_cast<int>(GetACP())) mine.push_back(language);
  return mine;
}

// What the wizard found in the registry when it opened, as far as the
// pages show it.
enum class Found { kLargestNumbers, kZeros, kNothing };

const char* NameOf(Found found) {
  switch (found) {
    case Found::kLargestNumbers: return "largest values";
    case Found::kZeros: return "values 0";
    default: return "nothing set";
  }
}

void ShowAsFound(CMyPropertySheet& sheet, Found found) {
  static int32_t SettingsRecord::*const originals[] = {
      &SettingsRecord::OriginalPMTUDiscovery, &SettingsRecord::OriginalPMTUBlackHoleDetect,
      &SettingsRecord::OriginalEnableICMPRedirects, &SettingsRecord::OriginalMTU,
      &SettingsRecord::OriginalMSS, &SettingsRecord::OriginalRWIN,
      &SettingsRecord::OriginalTTL, &SettingsRecord::OriginalKeepAliveTime,
      &SettingsRecord::OriginalKeepAliveInterval, &SettingsRecord::OriginalSYNAttackProtect,
      &SettingsRecord::OriginalMaxConnectionsPer1_0Server,
      &SettingsRecord::OriginalMaxConnectionsPerServer};
  static int32_t FoundFlags::*const flags[] = {
      &FoundFlags::MTUFound, &FoundFlags::MSSFound, &FoundFlags::PMTUDiscoveryFound,
      &FoundFlags::PMTUBlackHoleDetectFound, &FoundFlags::RWINFound, &FoundFlags::TTLFound,
      &FoundFlags::MaxConnectionsPer1_0ServerFound,
      &FoundFlags::MaxConnectionsPerServerFound, &FoundFlags::KeepAliveTimeFound,
      &FoundFlags::KeepAliveIntervalFound, &FoundFlags::SYNAttackProtectFound,
      &FoundFlags::EnableICMPRedirectsFound};
  // -1 shows as 4294967295, the widest number a page prints.
  for (auto original : originals)
    sheet.record.*original = found == Found::kLargestNumbers ? -1 : 0;
  for (auto flag : flags) sheet.found.*flag = found == Found::kNothing ? 0 : 1;
  // The MTU step shows the chosen connection's: a value set, or (with the
  // zeros) Windows' fixed 1500, said in a sentence of its own.
  for (int c = 0; c < kConnectionKinds; ++c) {
    sheet.record.OriginalMTUOfConnection[c] =
        found == Found::kLargestNumbers ? -1 : 1500;
    sheet.found.MTUOfConnection[c] =
        found == Found::kNothing ? kConnectionMtuNotFound
        : found == Found::kZeros ? kConnectionMtuFixedByWindows
                                 : kConnectionMtuSet;
  }
}

// The dpi the test scripts run this check at; 96 when they name none.
int DpiOfTheRun() {
  const std::string dpi = EnvironmentText("VELO_TEXT_FIT_DPI");
  return dpi.empty() ? 96 : atoi(dpi.c_str());
}

// The name a language goes by in test and picture names: its letters and
// digits.
std::string PlainName(const std::string& language) {
  std::string name;
  for (char c : language)
    if (std::isalnum(static_cast<unsigned char>(c))) name += c;
  return name;
}

class TextFit : public ::testing::TestWithParam<LanguageFile> {
 protected:
  void SetUp() override {
    App().m_szAppPath = SourcePath("res");
    App().m_szLanguage = GetParam().name;
  }
  void TearDown() override {
    App().m_szAppPath.clear();
    App().m_szLanguage.clear();
  }

  // Every step of the family's wizard and the modem page, for each way the
  // registry may have been found; `pictures`: with the Large Fonts pictures.
  void MeasureWizard(WindowsFamily family, int steps, bool pictures = true) {
    const std::string familyName = family == kFamilyNT ? "NT" : "95/98/Me";
    for (Found found : {Found::kLargestNumbers, Found::kZeros, Found::kNothing}) {
      WizardDriver wizard(family);
      wizard.Open();
      ShowAsFound(wizard.Sheet(), found);
      wizard.modemFound = 1;
      // The receive window step with its line, the longest host the step
      // names and the longest round trip a search waits for.
      wizard.Sheet().roundTrip = {true, kLongestWaitMs,
                                  "resolver2.dialup.provider.example"};
      CheckRadioButton(wizard.PageWindow(), IDC_CONNECTION_DIAL_UP,
                       IDC_CONNECTION_LAN, IDC_CONNECTION_LAN);
      int shown = 0;
      for (int page = wizard.Page(); page >= 0 && shown <= steps;) {
        ++shown;
        MeasureTexts(wizard.Sheet().Hwnd(),
                     familyName + " wizard, " + NameOf(found) + ", '" +
                         wizard.Caption() + "'",
                     &check_);
        if (pictures && family == kFamilyNT && found == Found::kLargestNumbers)
          SaveLargeFontsPicture(wizard.Sheet().Hwnd(), page);
        if (page == kModemBoostPage) break;
        wizard.Next();
        if (wizard.Page() == page) {
          ADD_FAILURE() << "Next did not leave '" << wizard.Caption() << "'";
          break;
        }
        page = wizard.Page();
      }
      EXPECT_EQ(steps + 1, shown) << familyName << " steps and the modem page";
      EXPECT_EQ(std::vector<std::string>(), wizard.messages);
    }
  }

  // At Large Fonts, a picture of every step in English and of the path MTU
  // step, whose check boxes are the tightest, in every language; the
  // pictures at 96 dpi are the other tests' own.
  void SaveLargeFontsPicture(HWND sheet, int page) {
    if (DpiOfTheRun() != 120) return;
    if (GetParam().name != "English" && page != kPathMtuPage) return;
    SaveScreenshot(sheet, "wizard-120dpi-" + PlainName(GetParam().name) +
                              "-page" + std::to_string(page));
  }

  void MeasureAlert(const std::string& name, const std::string& text,
                    bool okOnly) {
    ModalDriver driver([&](HWND dialog) {
      MeasureTexts(dialog, name, &check_);
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    App().Alert(text, okOnly);
  }

  TextFitCheck check_;
};

TEST_P(TextFit, MainWindowAndAboutBox) {
  RecordingSkin skin;
  CTunerDlg main(&skin, &skin);
  App().m_pMainDlg = &main;
  {
    ModalDriver driver([&](HWND dialog) {
      if (GetDlgItem(dialog, IDC_MAIN_SET)) {
        MeasureTexts(dialog, "main window", &check_);
        PostMessageA(dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
      } else {
        MeasureTexts(dialog, "About box", &check_);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(main.Hwnd(), WM_CLOSE, 0, 0);
      }
    });
    main.DoModal(nullptr);
  }
  App().m_pMainDlg = nullptr;
  // Introduction, hint, language label and the two buttons; the About box's
  // version label, version, copyright and OK.
  EXPECT_EQ(9, check_.measured);
  EXPECT_EQ(LanguagesOffered(), check_.listItems)
      << "the language list's items";
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
}

TEST_P(TextFit, EveryAlert) {
  ApplyOutcome mtuLeftAlone, mtuNotRead, mtuCapped;
  mtuLeftAlone.mtuLeftAlone = true;
  mtuNotRead.mtuLeftAlone = mtuNotRead.mtuNotRead = true;
  mtuCapped.mtuCappedByDialUp = true;
  const struct {
    TextId id;
    const char* name;
    bool okOnly;
    // The closing message with its note of the MTU left alone, or null.
    const ApplyOutcome* withMtuNote;
  } alerts[] = {{TextId::VersionUnknown, "unknown Windows alert", true, nullptr},
                {TextId::OverwriteBackupQuestion, "overwrite question", false, nullptr},
                {TextId::Boosted, "closing message", true, nullptr},
                {TextId::Boosted, "closing message with its note", true, &mtuLeftAlone},
                {TextId::Boosted, "closing message with its note of the MTU not read",
                 true, &mtuNotRead},
                {TextId::Boosted, "closing message with its note of Dial-Up "
                 "Networking's packet size", true, &mtuCapped},
                {TextId::NotFullyBoosted, "incomplete apply message", true, nullptr},
                {TextId::NoBackupNoChange, "no backup message", true, nullptr},
                {TextId::ResetDone, "reset message", true, nullptr},
                {TextId::ReceiveWindowRange, "receive window range alert", true, nullptr},
                {TextId::LineSpeedRange, "line speed range alert", true, nullptr},
                {TextId::ResetFailed, "reset failure message", true, nullptr}};
  for (const auto& alert : alerts) {
    const std::string text =
        alert.withMtuNote ? BoostedMessage(App().Localized(), *alert.withMtuNote)
                          : App().LoadText(alert.id);
    ASSERT_NE("", text) << alert.name;
    MeasureAlert(alert.name, text, alert.okOnly);
  }
  // The question while another account holds the backup, with the longest
  // name an NT account has (20 characters), with and without its time.
  const std::string account = "SVC-DEPLOYMENT-AGENT";
  ASSERT_EQ(20u, account.size());
  MeasureAlert("question about another account's backup",
               AnotherAccountsBackupQuestion(
                   App().Localized(), {account, "2026-12-09 05:10:02"}),
               false);
  MeasureAlert("question about another account's backup, no time",
               AnotherAccountsBackupQuestion(App().Localized(), {account, ""}),
               false);
  // Each message and its buttons: OK, or Yes and No for the questions.
  EXPECT_EQ(14 + 11 + 2 * 3, check_.measured);
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
}

TEST_P(TextFit, EveryStepOfTheNtWizard) {
  MeasureWizard(kFamilyNT, 8);
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
}

// The steps whose texts follow the service pack: NT 4.0 before Service
// Pack 5 (the ICMP redirect value not read), 2000 before Service Pack 4 and
// Server 2003 from Service Pack 1 (the SYN protection levels).
TEST_P(TextFit, EveryStepOfTheNtWizardOnServicePacksThatReadLess) {
  const WindowsLimits before = App().m_limits;
  for (const VersionNumbers& version :
       {VersionNumbers{2, 4, 0, 3}, VersionNumbers{2, 5, 0, 3},
        VersionNumbers{2, 5, 2, 1}}) {
    App().m_limits = CWindowsVersion(version).Limits(true);
    MeasureWizard(kFamilyNT, 8, false);
  }
  App().m_limits = before;
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
}

TEST_P(TextFit, EveryStepOfThe9xWizard) {
  MeasureWizard(kFamily9x, 6);
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
}

// Every word the MTU step has on a search, with the widest address a DNS
// server has and with a long host name, and the stop button's text.
TEST_P(TextFit, EveryMtuSearchStatus) {
  WizardDriver wizard(kFamilyNT);
  wizard.Open();
  wizard.Next();
  ASSERT_EQ(kMtuPage, wizard.Page());
  const Texts& texts = App().Localized();
  std::vector<std::string> said = {
      MtuSearchProgress(texts, 17914),
      MtuSearchOutcome(texts, "", {kMtuHostUnknown, 0, 0})};
  // The widest address, and a long name as a provider gives its servers.
  for (const std::string host :
       {"255.255.255.255", "resolver2.dialup.provider.example"}) {
    for (const MtuSearchResult& result :
         {MtuSearchResult{kMtuFound, 17914, 11},
          MtuSearchResult{kMtuFound, 1492, 11, 1492, kProbeNoAnswer, 1492},
          MtuSearchResult{kMtuNoAnswer, 0, 2},
          MtuSearchResult{kMtuEveryAnswers, 0, 12},
          MtuSearchResult{kMtuCannotPing, 0, 0},
          MtuSearchResult{kMtuHostUnknown, 0, 0},
          MtuSearchResult{kMtuCancelled, 0, 3},
          MtuSearchResult{kMtuNoThread, 0, 0},
          MtuSearchResult{kMtuOwnNetwork, 0, 0},
          MtuSearchResult{kMtuTooLong, 0, 60, 17914}})
      said.push_back(MtuSearchOutcome(texts, host, result));
    for (const ProbeAnswer why :
         {kProbeNoAnswer, kProbeTooBig, kProbeUnreachable, kProbeTtlExpired,
          kProbeNoResources, kProbeFailed}) {
      MtuSearchResult stopped{kMtuPathStopped, 0, 9, 1500};
      stopped.stoppedBy = why;
      said.push_back(MtuSearchOutcome(texts, host, stopped));
    }
  }
  for (const std::string& text : said) {
    wizard.Type(IDC_MTU_SEARCH_STATUS, text);
    MeasureTexts(wizard.Sheet().Hwnd(), "MTU step saying '" + text + "'",
                 &check_);
  }
  wizard.Type(IDC_FIND_MTU, App().LoadText(TextId::FindMtuStop));
  MeasureTexts(wizard.Sheet().Hwnd(), "MTU step searching", &check_);
  EXPECT_EQ(std::vector<std::string>(), check_.misfits);
  EXPECT_EQ(std::vector<std::string>(), wizard.messages);
}

INSTANTIATE_TEST_SUITE_P(
    ShippedLanguages, TextFit, ::testing::ValuesIn(LanguagesOfThisCodePage()),
    [](const ::testing::TestParamInfo<LanguageFile>& info) {
      return PlainName(info.param.name) + std::to_string(info.index);
    });
// A run under a code page that no shipped file is written in measures
// nothing.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(TextFit);

// The code pages the test scripts run this check in.
std::set<int> CodePagesRun() {
  std::set<int> codePages;
  std::istringstream list(getenv("VELO_TEXT_FIT_CODE_PAGES")
                              ? getenv("VELO_TEXT_FIT_CODE_PAGES")
                              : "");
  for (int codePage; list >> codePage;) codePages.insert(codePage);
  return codePages;
}

TEST(TextFitRuns, EveryLanguageFileIsMeasuredInOneOfThem) {
  const std::set<int> run = CodePagesRun();
  if (run.empty()) GTEST_SKIP() << "VELO_TEXT_FIT_CODE_PAGES is not set";
  EXPECT_TRUE(run.count(static_cast<int>(GetACP())))
      << "this run's code page " << GetACP() << " is not in the list";
  const std::vector<LanguageFile> languages = ShippedLanguages();
  ASSERT_FALSE(languages.empty()) << "no language file in " << SourcePath("res/Lang");
  for (const LanguageFile& language : languages)
    EXPECT_TRUE(run.count(language.codePage))
        << language.name << " is written in code page " << language.codePage
        << ", which no run of the text check uses";
}

// A run meant for "Large Fonts" that Wine showed at 96 dpi would pass
// without measuring what it is for.
TEST(TextFitRuns, TheScreenIsAtTheDpiOfTheRun) {
  if (EnvironmentText("VELO_TEXT_FIT_DPI").empty())
    GTEST_SKIP() << "VELO_TEXT_FIT_DPI is not set";
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(DpiOfTheRun(), dpi);
}

}  // namespace
}  // namespace velo
