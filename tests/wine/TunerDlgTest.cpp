// The main window for real, run modally as the program runs it: its texts in
// the chosen language, the language list, the skin calls, the Reset button,
// the About box, and the keys and buttons that close it or do not.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModalDriver.h"
#include "Screenshot.h"
#include "TempFolder.h"
#include "app/TunerApp.h"
#include "app/TunerDlg.h"
#include "registry/RegKey.h"
#include "res/resource.h"
#include "store/RegistryLocations.h"
#include "support/FlagFile.h"
#include "support/RegistryEdit.h"
#include "support/StoreScenario.h"
#include "support/RecordingSkin.h"

namespace velo {
namespace {

const char kVelocineKey[] = "Software\\Velocine";

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    ASSERT_FALSE(folder_.MakeFolder("Lang").empty());
    // Enumerated A, B, C (Wine lists a folder alphabetically); only B and C
    // have flags.
    folder_.Write("Lang\\Anglais.ini", "[Lanvora]\n18=Velocine EN\n");
    folder_.Write("Lang\\Brezhoneg.ini",
                  "[Lanvora]\n18=Velocine BR\nIDC_HINT=Hint*BR\n");
    folder_.Write("Lang\\Brezhoneg.bmp", FlagFile(0x80, 0x80, 0x80));
    folder_.Write("Lang\\Deutsch.ini",
                  "[Lanvora]\n18=Velocine DE\nIDC_HINT=Erste*Zweite**Dritte\n"
                  "IDC_SET_SETTINGS=&Einstellen\nIDC_STATIC2=Fassung\n"
                  "IDOK=Gut\n");
    folder_.Write("Lang\\Deutsch.bmp", FlagFile(0x80, 0x80, 0x80));
    App().m_szAppPath = folder_.Path();
    App().m_szLanguage = "deutsch";
    RegKey key(App().registry());
    key.Create(kHkeyCurrentUser, kVelocineKey, kAccessReadWrite);
    App().registry().DeleteTree(kHkeyCurrentUser, kBackupKey);
  }
  void TearDown() override {
    App().m_pMainDlg = nullptr;
    App().m_szAppPath.clear();
    App().m_szLanguage.clear();
    App().registry().DeleteTree(kHkeyCurrentUser, kVelocineKey);
  }

  // Runs the main window modally; `script` sees it and every dialog opened
  // above it, and must close it in the end.
  INT_PTR Run(ModalDriver::Script script) {
    CTunerDlg main(&recorder_, &recorder_);
    App().m_pMainDlg = &main;
    ModalDriver driver(script);
    return main.DoModal(nullptr);
  }

  static std::vector<std::string> ListItems(HWND main) {
    HWND combo = GetDlgItem(main, IDC_MAIN_LANGUAGE);
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = "";
      COMBOBOXEXITEMA item = {};
      item.mask = CBEIF_TEXT;
      item.iItem = i;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      items.push_back(text);
    }
    return items;
  }

  TempFolder folder_{"velocine-main"};
  RecordingSkin recorder_;
};

TEST_F(MainWindow, ShowsTheChosenLanguageAndListsFlaggedLanguagesFirst) {
  std::vector<std::string> items;
  int selected = -2;
  std::string caption, hint, set, reset;
  Run([&](HWND main) {
    caption = TextOf(main);
    hint = TextOf(GetDlgItem(main, IDC_MAIN_HINT));
    set = TextOf(GetDlgItem(main, IDC_MAIN_SET));
    reset = TextOf(GetDlgItem(main, IDC_MAIN_RESET));
    items = ListItems(main);
    selected = static_cast<int>(SendDlgItemMessageA(main, IDC_MAIN_LANGUAGE,
                                                    CB_GETCURSEL, 0, 0));
    SaveScreenshot(main, "main-language-file");
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ("Velocine DE", caption);
  EXPECT_EQ("Erste\nZweite\n\nDritte", hint);
  EXPECT_EQ("&Einstellen", set);
  EXPECT_EQ("&Reset Connection Settings", reset) << "a key the file lacks";
  EXPECT_EQ((std::vector<std::string>{"Brezhoneg", "Deutsch", "Anglais"}),
            items);
  EXPECT_EQ(1, selected) << "the case of Language does not matter";
}

// A language saved on a Windows of another code page (here Japanese, or
// Russian on a Japanese Windows) would show its bytes as other letters: the
// window opens in English, with English selected, and the choice stays
// saved for a Windows that draws it.
TEST_F(MainWindow, ASavedLanguageThisWindowsCannotDrawOpensInEnglish) {
  const bool japanese = GetACP() == 932;
  const std::string saved = japanese ? "Russkiy" : "Nihongo";
  folder_.Write("Lang\\" + saved + ".ini",
                japanese ? "[Lanvora]\nCodePage=1251\n18=Velocine RU\n"
                           "IDC_SET_SETTINGS=&\xD3\xF1\xF2\n"
                         : "[Lanvora]\nCodePage=932\n18=Velocine JA\n"
                           "IDC_SET_SETTINGS=\x90\xDD\x92\xE8(&S)\n");
  folder_.Write("Lang\\English.ini",
                "[Lanvora]\nCodePage=1252\n18=Velocine\n");
  App().m_szLanguage = saved;
  {
    RegKey key(App().registry());
    ASSERT_EQ(kRegOk,
              key.Open(kHkeyCurrentUser, kVelocineKey, kAccessReadWrite));
    ASSERT_EQ(kRegOk, key.Write("Language", RegValue::Text(saved)));
  }
  std::vector<std::string> items;
  std::string caption, set, selected;
  Run([&](HWND main) {
    caption = TextOf(main);
    set = TextOf(GetDlgItem(main, IDC_MAIN_SET));
    items = ListItems(main);
    int at = static_cast<int>(
        SendDlgItemMessageA(main, IDC_MAIN_LANGUAGE, CB_GETCURSEL, 0, 0));
    if (at >= 0 && at < static_cast<int>(items.size())) selected = items[at];
    SaveScreenshot(main, "main-language-not-drawable");
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ("Velocine", caption);
  EXPECT_EQ("&Set Connection Settings", set);
  EXPECT_EQ((std::vector<std::string>{"Brezhoneg", "Deutsch", "Anglais",
                                      "English"}),
            items)
      << saved << " is not offered";
  EXPECT_EQ("English", selected);
  EXPECT_EQ(saved, App().m_szLanguage);
  RegKey key(App().registry());
  ASSERT_EQ(kRegOk, key.Open(kHkeyCurrentUser, kVelocineKey, kAccessRead));
  RegValue stored;
  ASSERT_EQ(kRegOk, key.Read("Language", &stored));
  EXPECT_EQ(RegValue::Text(saved), stored) << "the choice stays saved";
}

TEST_F(MainWindow, ChoosingAnotherLanguageRelabelsAtOnceAndIsRemembered) {
  std::string caption, hint;
  Run([&](HWND main) {
    SendDlgItemMessageA(main, IDC_MAIN_LANGUAGE, CB_SETCURSEL, 0, 0);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_LANGUAGE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_MAIN_LANGUAGE)));
    caption = TextOf(main);
    hint = TextOf(GetDlgItem(main, IDC_MAIN_HINT));
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ("Velocine BR", caption);
  EXPECT_EQ("Hint\nBR", hint);
  EXPECT_EQ("Brezhoneg", App().m_szLanguage);
  RegKey key(App().registry());
  ASSERT_EQ(kRegOk, key.Open(kHkeyCurrentUser, kVelocineKey, kAccessRead));
  RegValue stored;
  ASSERT_EQ(kRegOk, key.Read("Language", &stored));
  EXPECT_EQ(RegValue::Text("Brezhoneg"), stored);
}

TEST_F(MainWindow, LoadsSkinAndSplashFromTheProgramFolderAndSkinsItself) {
  int32_t window = 0;
  Run([&](HWND main) {
    window = HandleToLong(main);
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  std::string path = App().m_strModulePath;
  std::string folder = path.substr(0, path.rfind('\\'));
  std::vector<SkinCall> expected = {
      {"LoadSplash", 0, folder + "\\Skin\\Splash.spl"},
      {"SetDisplayTime", 0, "0"},
      {"SetShown", 0, "false"},
      {"LoadSkin", 0, folder + "\\Skin\\Title.skn"},
      {"SkinWindow", window, ""}};
  EXPECT_EQ(expected, recorder_.calls);
}

TEST_F(MainWindow, TheProgramsIconIsBothItsBigAndItsSmallIcon) {
  HICON big = nullptr, small = nullptr;
  Run([&](HWND main) {
    big = reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_BIG, 0));
    small =
        reinterpret_cast<HICON>(SendMessageA(main, WM_GETICON, ICON_SMALL, 0));
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  HICON program = LoadIconA(GetModuleHandleA(nullptr),
                            MAKEINTRESOURCEA(IDI_VELOCINE));
  ASSERT_NE(nullptr, program);
  EXPECT_EQ(program, big);
  EXPECT_EQ(program, small);
}

TEST_F(MainWindow, EscapeIsIgnoredAndTheCloseBoxEndsWithoutAQuestion) {
  int dialogsSeen = 0;
  bool openAfterEscape = false;
  INT_PTR result = Run([&](HWND main) {
    ++dialogsSeen;
    PressKey(main, VK_ESCAPE);
    SendMessageA(main, WM_COMMAND, IDCANCEL, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageA(main, &message)) DispatchMessageA(&message);
    }
    openAfterEscape = IsWindowVisible(main) != FALSE;
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(0, result);
  EXPECT_EQ(1, dialogsSeen);
}

TEST_F(MainWindow, ResetStandsForTheBackupAndSetAsksBeforeReplacingIt) {
  bool resetAtStart = true;
  Run([&](HWND main) {
    resetAtStart = IsWindowEnabled(GetDlgItem(main, IDC_MAIN_RESET));
    PostMessageA(main, WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(resetAtStart) << "no backup key";

  RegKey backup(App().registry());
  ASSERT_EQ(kRegOk, backup.Create(kHkeyCurrentUser, kBackupKey, kAccessReadWrite));
  backup.Close();
  std::string question;
  bool resetAfterNo = false;
  Run([&](HWND window) {
    if (TextOf(window) == "Alert") {
      question = TextOf(GetDlgItem(window, IDC_ALERT_TEXT));
      SaveScreenshot(window, "alert-overwrite-question");
      ClickButton(window, IDCANCEL);  // No
      return;
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_MAIN_RESET)));
    ClickButton(window, IDC_MAIN_SET);
    resetAfterNo = IsWindowEnabled(GetDlgItem(window, IDC_MAIN_RESET));
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(0u, question.find("Now, your old connection settings saved as "
                              "backup will be overwritten"));
  EXPECT_TRUE(resetAfterNo);
}

// A backup taken by another account (a deployment tool's /set as SYSTEM) is
// in that account's hive: Set asks before it records the tuned values as
// this account's originals, and No changes nothing. A note without its time
// says nothing of when.
TEST_F(MainWindow, SetAsksFirstWhileAnotherAccountHoldsTheBackup) {
  const struct {
    const char* taken;  // null: the note has no time
    const char* asked;
  } rows[] = {
      {"2026-12-09 23:10:00",
       "The backup of your original connection settings is kept by the "
       "account Deployment Agent (backed up on 2026-12-09 23:10:00). If you "
       "go on, the current settings will be saved as this account's new "
       "original settings.\nDo you want to proceed?"},
      {nullptr,
       "The backup of your original connection settings is kept by the "
       "account Deployment Agent. If you go on, the current settings will be "
       "saved as this account's new original settings.\nDo you want to "
       "proceed?"},
  };
  for (const auto& row : rows) {
    RegKey note(App().registry());
    ASSERT_EQ(kRegOk, note.Create(kHkeyLocalMachine, kBackupHolderKey,
                                  kAccessReadWrite));
    ASSERT_EQ(kRegOk, note.Write(kBackupHolderValue,
                                 RegValue::Text("Deployment Agent")));
    if (row.taken) {
      ASSERT_EQ(kRegOk,
                note.Write(kBackupTakenValue, RegValue::Text(row.taken)));
    }
    note.Close();
    std::string question;
    Run([&](HWND window) {
      if (TextOf(window) == "Alert") {
        question = TextOf(GetDlgItem(window, IDC_ALERT_TEXT));
        ClickButton(window, IDCANCEL);  // No
        return;
      }
      ClickButton(window, IDC_MAIN_SET);
      PostMessageA(window, WM_CLOSE, 0, 0);
    });
    App().registry().DeleteTree(kHkeyLocalMachine, kBackupHolderKey);
    EXPECT_EQ(row.asked, question);
    EXPECT_FALSE(KeyExists(App().registry(), kBackupKeyName))
        << "No takes no backup";
  }
}

TEST_F(MainWindow, SystemMenuOpensTheAboutBoxWithTheVersionBlock) {
  std::string version, copyright, label, ok, caption;
  bool menuHasAbout = false;
  Run([&](HWND window) {
    if (TextOf(window) == "About Velocine") {
      caption = TextOf(window);
      version = TextOf(GetDlgItem(window, IDC_ABOUT_FILEVERSION));
      copyright = TextOf(GetDlgItem(window, IDC_ABOUT_COPYRIGHT));
      label = TextOf(GetDlgItem(window, IDC_ABOUT_VERSION_LABEL));
      ok = TextOf(GetDlgItem(window, IDOK));
      SaveScreenshot(window, "about-box");
      PressKey(window, VK_ESCAPE);
      return;
    }
    char text[64] = "";
    menuHasAbout = GetMenuStringA(GetSystemMenu(window, FALSE), IDM_ABOUTBOX,
                                  text, sizeof text, MF_BYCOMMAND) > 0 &&
                   std::string(text) == "&About Velocine";
    SendMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(menuHasAbout);
  EXPECT_EQ("4, 3, 0, 0", version);
  EXPECT_EQ(0u, copyright.find("Copyright"));
  EXPECT_EQ("Fassung", label);
  EXPECT_EQ("Gut", ok);
}

}  // namespace
}  // namespace velo
