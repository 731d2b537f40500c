// The one application object: what every window of the program reads (paths,
// language, Windows family, the alert box, the main window) and the start-up
// that decides whether the main window opens at all.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/AlertDlg.h"
#include "app/WindowsVersion.h"
#include "pathmtu/PathMtuProber.h"
#include "lang/LanguageFileTexts.h"
#include "lang/Win32LanguagePlatform.h"
#include "registry/Win32Registry.h"

namespace velo {

class CTunerDlg;
class CMyPropertySheet;
class SkinComponent;

class CTunerApp {
 public:
  CTunerApp();
  ~CTunerApp();

  // Start-up. Returns false in every case: the program has no message loop
  // of its own and ends when the main window (or the start-up alert) closes.
  bool InitInstance();

  // The localized text, with "*" turned into line feeds.
  std::string LoadText(TextId id) const { return texts_.Load(id); }
  // Where every localized text comes from.
  const Texts& Localized() const { return texts_; }
  // While the returned reading lives, lookups read the language file once.
  LanguageFileTexts::OneReading ReadLanguageFileOnce() const {
    return LanguageFileTexts::OneReading(texts_);
  }
  // Sets a control's localized text; nothing when the dialog lacks it.
  void SetControlText(TextId id, int controlId, HWND dialog) const;
  // Remembers the chosen language for the next start.
  void SaveLanguage(const std::string& name);

  // Shows a message in the alert box; returns 1 for OK or Yes, 2 otherwise.
  int Alert(const std::string& text, bool okOnly);

  // The main window's skin, or null while there is no main window: dialogs
  // shown before it exists are drawn plain.
  SkinComponent* MainSkin() const;

  Registry& registry() { return *registry_; }
  // Puts another registry in the real one's place; tests use it to make
  // chosen calls fail.
  void UseRegistry(Registry& registry) { registry_ = &registry; }

  // What the wizard's MTU step measures with.
  PathProber& prober() { return icmpProber_; }

  std::string m_strModulePath;
  CAlertDlg m_alert;
  CWindowsVersion m_version;
  std::string m_szAppPath;
  std::string m_szLanguage;
  int m_nWindowsFamily = kFamilyNT;
  WindowsLimits m_limits;
  CTunerDlg* m_pMainDlg = nullptr;
  int32_t ModemFound = 0;

 private:
  // Reads AppPath and Language from the program's registry key; without
  // AppPath, the languages are looked for beside the program.
  void ReadSettings();

  Win32Registry win32Registry_;
  Registry* registry_ = &win32Registry_;
  PathMtuProber icmpProber_;
  Win32LanguagePlatform languagePlatform_;
  LanguageFileTexts texts_;
  std::unique_ptr<CTunerDlg> mainDialog_;
};

// Registers the common controls the windows use: the language list is a
// ComboBoxEx.
void StartCommonControls();

// The application object, constructed statically.
CTunerApp& App();

// The wizard sheet of the current run; null until the first run.
extern CMyPropertySheet* g_pWizardSheet;

}  // namespace velo
