// The real Velocine.exe in a made-up language: every text of the shipped
// English file wrapped in brackets ("[Cancel]"). Every window the program
// shows, in both Windows families, must show those texts and no built-in
// English, except what stays the same in every language.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ModalDriver.h"
#include "OutsideWizard.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "SourceTree.h"
#include "TempFolder.h"
#include "UntranslatedTexts.h"
#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "res/wizard/RWINSetting.h"
#include "support/RegistryEdit.h"
#include "support/KeptSettings.h"
#include "support/StoreScenario.h"

namespace velo {
namespace {

const char kLanguage[] = "Pseudo";

// The shipped English language file, from the source tree this test was
// compiled from.
std::string EnglishFile() {
  std::ifstream in(SourcePath("res/Lang/English.ini"), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The English file with each text wrapped in brackets; its "*" line breaks
// and "%d" numbers stay where they are. Empty when a text has a bracket of
// its own, which would hide an untranslated one.
std::string PseudoLanguage(const std::string& english) {
  std::istringstream lines(english);
  std::string pseudo;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals != std::string::npos) {
      std::string text = line.substr(equals + 1);
      if (text.find_first_of("[]") != std::string::npos) return std::string();
      line = line.substr(0, equals + 1) + "[" + text + "]";
    }
    pseudo += line + "\r\n";
  }
  return pseudo;
}

// What stays the same in every language.
FixedTexts AboutFixed() {
  FixedTexts fixed;
  // The program file's version and legal notice.
  fixed.controls = {IDC_ABOUT_FILEVERSION, IDC_ABOUT_COPYRIGHT};
  return fixed;
}

FixedTexts SheetFixed() {
  FixedTexts fixed;
  fixed.controls = {kWizardFinish};  // the platform's own text
  // The receive window's equation and the TTL heading.
  fixed.texts = {"MSS", "RWIN", "TTL"};
  return fixed;
}

struct PseudoRun {
  const char* wineVersion;
  WindowsFamily family;
  uint32_t seed;  // of the registry state the pages show
  int pages;      // the family's steps and the modem page
};

void PrintTo(const PseudoRun& run, std::ostream* out) {
  *out << run.wineVersion;
}

class Localization : public ::testing::Test {
 protected:
  // Runs the program in the made-up language; everything it may change is
  // put back afterwards.
  void UsePseudoLanguage(WindowsFamily family) {
    if (ProgramUnderTest().empty()) GTEST_SKIP() << "VELO_EXE is not set";
    kept_.reset(new KeptSettings(registry_, family));
    std::string pseudo = PseudoLanguage(EnglishFile());
    ASSERT_NE("", pseudo) << "no English file, or a text with brackets";
    ASSERT_NE("", folder_.MakeFolder("Lang"));
    ASSERT_NE("", folder_.Write(std::string("Lang\\") + kLanguage + ".ini", pseudo));
    Put(registry_, kProgramKeyName, "AppPath", RegValue::Text(folder_.Path()));
    Put(registry_, kProgramKeyName, "Language", RegValue::Text(kLanguage));
  }
  // Checks the alert that shows next and answers it with `answer`.
  void CheckAlert(const ProgramRun& program, const std::string& name,
                  int answer) {
    HWND alert = program.WaitForDialog("[Alert]");
    CheckTexts(alert, name, FixedTexts(), &check_);
    if (!alert) return;
    PostClick(alert, answer);
    program.WaitUntilGone(alert);
  }

  Win32Registry registry_;
  std::unique_ptr<KeptSettings> kept_;
  TempFolder folder_{"Localization"};
  TextCheck check_;
};

class LocalizedRun : public Localization,
                     public ::testing::WithParamInterface<PseudoRun> {
 protected:
  void SetUp() override {
    UsePseudoLanguage(GetParam().family);
    if (IsSkipped() || HasFatalFailure()) return;
    SeedStoreScenario(registry_, GetParam().family, GetParam().seed);
    RemoveKey(registry_, kBackupKeyName);
    // One modem, limited to 115,200 bits/s, so the modem page shows too.
    const std::string modemClass = ModemClassKeyName(GetParam().family);
    RemoveKey(registry_, modemClass);
    Put(registry_, modemClass + "\\0000", "Properties", ModemRecord(115200));
  }

  // Every page from step 1 (dial-up, as preset) to the modem page, each
  // looked at once it shows, then Finish; the receive window page also
  // shows its range alert. Returns the last page's title.
  std::string WalkTheWizard(const ProgramRun& program, HWND sheet) {
    std::string caption;
    for (int page = 1; page <= GetParam().pages; ++page) {
      if (page > 1) {
        PressSheetButton(sheet, PSBTN_NEXT);
        EXPECT_TRUE(WaitForCaptionChange(sheet, caption)) << caption;
      }
      // The program answers between messages only: once the caption has
      // changed, the page has set all its texts.
      caption = TextOf(sheet);
      CheckTexts(sheet, "page " + std::to_string(page), SheetFixed(), &check_);
      // Control ids repeat from page to page: the title tells the page.
      if (caption.find("RWIN Setting") != std::string::npos)
        ShowRangeAlert(program,
                       GetDlgItem(CurrentPage(sheet), IDC_RWIN_MULTIPLIER_BOX));
    }
    PressSheetButton(sheet, PSBTN_FINISH);
    return caption;
  }

  // A multiplier too large for any receive window, then the box left.
  void ShowRangeAlert(const ProgramRun& program, HWND multiplier) {
    SendMessageA(multiplier, WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("99999999"));
    PostMessageA(GetParent(multiplier), WM_COMMAND,
                 MAKEWPARAM(IDC_RWIN_MULTIPLIER_BOX, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(multiplier));
    CheckAlert(program, "receive window range alert", IDOK);
  }
};

TEST_P(LocalizedRun, EveryWindowShowsTheTextsOfTheLanguageFile) {
  ProgramRun program(GetParam().wineVersion);
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForWindow([](HWND window) {
    return ClassOf(window) == "#32770" &&
           GetDlgItem(window, IDC_MAIN_SET) != nullptr;
  });
  ASSERT_NE(nullptr, main);
  CheckTexts(main, "main window", FixedTexts(), &check_);
  EXPECT_EQ(6, check_.translated) << "caption, introduction, hint, language "
                                     "label and both buttons";
  if (GetParam().family == kFamilyNT)
    SaveScreenshot(main, "main-pseudo-language");

  PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  HWND about = program.WaitForDialog("[About Velocine]");
  CheckTexts(about, "About box", AboutFixed(), &check_);
  if (about) {
    PostClick(about, IDOK);
    program.WaitUntilGone(about);
  }

  PostClick(main, IDC_MAIN_SET);
  HWND sheet = program.WaitForWindow([](HWND window) {
    return ClassOf(window) == "#32770" &&
           GetDlgItem(window, kWizardFinish) != nullptr;
  });
  ASSERT_NE(nullptr, sheet);
  EXPECT_EQ("[Boost the Modem]", WalkTheWizard(program, sheet));
  CheckAlert(program, "closing message", IDOK);
  ASSERT_TRUE(program.WaitUntilGone(sheet));
  ASSERT_TRUE(WaitUntilEnabled(GetDlgItem(main, IDC_MAIN_RESET)));

  // A second run asks before it replaces the backup: No.
  PostClick(main, IDC_MAIN_SET);
  CheckAlert(program, "overwrite question", IDCANCEL);
  PostClick(main, IDC_MAIN_RESET);
  CheckAlert(program, "reset message", IDOK);

  EXPECT_EQ(std::vector<std::string>(), check_.untranslated);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, LocalizedRun,
    ::testing::Values(PseudoRun{"win98", kFamily9x, 21, 7},
                      PseudoRun{"winxp", kFamilyNT, 22, 9}),
    [](const ::testing::TestParamInfo<PseudoRun>& info) {
      return std::string(info.param.wineVersion);
    });

TEST_F(Localization, TheVersionAlertShowsTheTextOfTheLanguageFile) {
  UsePseudoLanguage(kFamilyNT);
  if (IsSkipped() || HasFatalFailure()) return;
  ProgramRun program("vista");
  ASSERT_TRUE(program.Started());
  CheckAlert(program, "unknown Windows alert", IDOK);
  EXPECT_EQ(3, check_.translated) << "caption, message and OK";
  EXPECT_EQ(std::vector<std::string>(), check_.untranslated);
  EXPECT_TRUE(program.WaitForExit());
}

}  // namespace
}  // namespace velo
