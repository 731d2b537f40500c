// Setup run through its pages as a user would: welcome, folder, language,
// the files, and the last page, which starts Velocine. A picture of each
// page is saved. Run by the test script like the silent tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "BoundedWait.h"
#include "ChildProcess.h"
#include "ModalDriver.h"
#include "ProgramRun.h"
#include "Screenshot.h"
#include "SetupTest.h"
#include "SetupUnderTest.h"
#include "store/RegistryLocations.h"

namespace velo {
namespace {

struct Search {
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(window) || !search->match(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindTopLevel(const std::function<bool(HWND)>& match) {
  Search search{match};
  EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const std::function<bool(HWND)>& match) {
  Search search{match};
  EnumChildWindows(parent, &Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible control of the window whose text starts with `text`, waited for.
HWND WaitForText(HWND window, const std::string& text) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindChild(window, [&](HWND child) {
      return TextOf(child).compare(0, text.size(), text) == 0;
    });
    return found != nullptr;
  });
  return found;
}

HWND WaitForClass(HWND window, const std::string& className) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindChild(window,
                      [&](HWND child) { return ClassOf(child) == className; });
    return found != nullptr;
  });
  return found;
}

BOOL CALLBACK Describe(HWND window, LPARAM param) {
  *reinterpret_cast<std::string*>(param) +=
      ClassOf(window) + (IsWindowVisible(window) ? " \"" : " (hidden) \"") +
      TextOf(window) + "\"\n";
  return TRUE;
}

// The controls of a window, for a failure message.
std::string Controls(HWND window) {
  std::string all;
  EnumChildWindows(window, &Describe, reinterpret_cast<LPARAM>(&all));
  return all;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// The windows of setup, of the uninstaller (which runs in a copy of itself
// the test did not start) and of Velocine, left by a test that failed half
// way, told by the name each caption gives in every language: their
// processes are ended, so that nothing waits on them and the program can be
// removed.
BOOL CALLBACK EndSetupProcess(HWND window, LPARAM) {
  if (!IsWindowVisible(window) ||
      TextOf(window).find("Velocine") == std::string::npos)
    return TRUE;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (id == GetCurrentProcessId()) return TRUE;
  HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
  if (process) {
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  return TRUE;
}

class InteractiveSetup : public SetupTest {
 protected:
  void TearDown() override {
    process_.reset();
    EnumWindows(&EndSetupProcess, 0);
    SetupTest::TearDown();
  }
  // Starts setup and waits for its window, captioned in `language`.
  HWND StartSetup(const std::string& language) {
    process_.reset(new ChildProcess("\"" + setup_ + "\""));
    if (!process_->Started()) return nullptr;
    std::string caption = Shown("^SetupCaption", language);
    HWND setup = nullptr;
    WaitFor([&] {
      setup = FindTopLevel(
          [&](HWND window) { return TextOf(window) == caption; });
      return setup != nullptr;
    });
    return setup;
  }
  void Picture(HWND window, const std::string& page) {
    SaveScreenshot(window, "setup-" + page + "-" + run_);
  }

  std::unique_ptr<ChildProcess> process_;
};

// Every page in the language of this run's Windows: NSIS's translation of
// its standard pages, setup's own lines as it translates them.
TEST_F(InteractiveSetup, WalksEveryPageAndStartsVelocineAtTheEnd) {
  HWND setup = StartSetup(setupLanguage_);
  ASSERT_NE(nullptr, setup);

  ASSERT_NE(nullptr, WaitForText(setup, Shown("MUI_TEXT_WELCOME_INFO_TITLE")))
      << Controls(setup);
  Picture(setup, "page1-welcome");
  PostClick(setup, IDOK);

  HWND folder = WaitForClass(setup, "Edit");
  ASSERT_NE(nullptr, folder);
  EXPECT_EQ(folder_, TextOf(folder));
  Picture(setup, "page2-folder");
  PostClick(setup, IDOK);

  HWND languages = WaitForClass(setup, "ComboBox");
  ASSERT_NE(nullptr, languages);
  EXPECT_NE(nullptr, WaitForText(setup, Shown("LanguagePageText")));
  EXPECT_NE(nullptr, WaitForText(setup, Shown("LanguagePageTitle")));
  // Each item read as the list shows it selected: a list's item texts are
  // not converted between setup's character set and this test's, its own
  // text is.
  std::vector<std::string> listed;
  const LRESULT chosen = SendMessageA(languages, CB_GETCURSEL, 0, 0);
  int count = static_cast<int>(SendMessageA(languages, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    SendMessageA(languages, CB_SETCURSEL, i, 0);
    listed.push_back(TextOf(languages));
  }
  SendMessageA(languages, CB_SETCURSEL, chosen, 0);
  std::vector<std::string> offered = OfferedLanguagesShown();
  std::sort(listed.begin(), listed.end());
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, listed) << "only the languages Velocine can draw here";
  EXPECT_EQ(ExpectedLanguageShown(), TextOf(languages));
  Picture(setup, "page3-language");
  PostClick(setup, IDOK);

  HWND start = WaitForText(setup, Shown("StartVelocine"));
  ASSERT_NE(nullptr, start);
  EXPECT_EQ(BST_CHECKED, SendMessageA(start, BM_GETCHECK, 0, 0));
  EXPECT_TRUE(FileExists(folder_ + "\\Velocine.exe"));
  Picture(setup, "page4-finish");
  PostClick(setup, IDOK);

  ASSERT_TRUE(process_->WaitForExit(20000));
  HWND velocine = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    velocine = FindTopLevel([](HWND window) {
      return ClassOf(window) == "#32770" && TextOf(window) == "Velocine";
    });
    return velocine != nullptr;
  })) << "Velocine did not start";
  Picture(velocine, "started");
  PostMessageA(velocine, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(velocine); }));
}

TEST_F(InteractiveSetup, UninstallSaysItKeepsTheBackupOfTheOriginalSettings) {
  ASSERT_EQ(0u, Install());
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kBackupKey, "DefaultTTL", "128"));
  process_.reset(new ChildProcess("\"" + folder_ + "\\Uninstall.exe\""));
  ASSERT_TRUE(process_->Started());
  // Its caption ends in a blank.
  const std::string caption = Shown("^UninstallCaption");
  auto uninstallWindow = [&](HWND window) {
    return StartsWith(TextOf(window), caption);
  };
  HWND uninstall = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    uninstall = FindTopLevel(uninstallWindow);
    return uninstall != nullptr;
  })) << [] {
    std::string all;
    EnumWindows(&Describe, reinterpret_cast<LPARAM>(&all));
    return all;
  }();
  ASSERT_NE(nullptr, WaitForText(uninstall, Shown("UninstallFolder")))
      << Controls(uninstall);
  Picture(uninstall, "uninstall-confirm");
  PostClick(uninstall, IDOK);

  const std::string kept = Shown("BackupKept");
  HWND message = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    message = FindTopLevel([&](HWND window) {
      return uninstallWindow(window) &&
             FindChild(window,
                       [&](HWND child) { return TextOf(child) == kept; });
    });
    return message != nullptr;
  })) << "no word about the backup";
  Picture(message, "uninstall-backup-kept");
  PostClick(message, IDOK);

  ASSERT_NE(nullptr, WaitForText(uninstall, Shown("^Completed")));
  PostClick(uninstall, IDOK);
  EXPECT_TRUE(WaitFor([&] { return !FileExists(folder_); }));
  EXPECT_EQ("128", ReadValue(HKEY_CURRENT_USER, kBackupKey, "DefaultTTL"));
}

// A language chosen before that this Windows cannot draw: setup neither
// speaks it nor offers it, but preselects the one it chooses on a first
// install, in whose language it speaks.
TEST_F(InteractiveSetup, PreselectsAnotherWhereTheChosenLanguageCannotBeDrawn) {
  ASSERT_TRUE(WriteValue(HKEY_CURRENT_USER, kSettingsKey, "Language",
                         GetACP() == 1251 ? "Deutsch" : "Russkiy"));
  HWND setup = StartSetup(setupLanguage_);
  ASSERT_NE(nullptr, setup);
  ASSERT_NE(nullptr, WaitForText(setup, Shown("MUI_TEXT_WELCOME_INFO_TITLE")))
      << Controls(setup);
  PostClick(setup, IDOK);
  ASSERT_NE(nullptr, WaitForClass(setup, "Edit"));
  PostClick(setup, IDOK);
  HWND languages = WaitForClass(setup, "ComboBox");
  ASSERT_NE(nullptr, languages);
  EXPECT_NE(nullptr, WaitForText(setup, Shown("LanguagePageText")));
  EXPECT_EQ(ExpectedLanguageShown(), TextOf(languages));
}

}  // namespace
}  // namespace velo
