// The main window: explains the program, offers the language list, starts
// the wizard and restores the backup. It hosts the skin component that draws
// every other window; closing it ends the program.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/LanguageListControl.h"
#include "app/WebLink.h"
#include "framework/Dialog.h"
#include "skin/Skin.h"
#include "wizard/WizardRun.h"

namespace velo {

class CMyPropertySheet;

class CTunerDlg : public Dialog {
 public:
  // Null components mean the component's own controls; tests pass
  // recorders.
  explicit CTunerDlg(SkinComponent* skin = nullptr,
                     SplashComponent* splash = nullptr);
  ~CTunerDlg() override;

  SkinComponent& Skin() { return *skin_; }
  // The Reset button stands for the existence of a backup.
  void EnableReset(bool enable);
  bool IsResetEnabled() const;
  // Sets the caption and every text of the window from the current language.
  void ApplyTexts();

  // One step of the window's initialisation. OnInitDialog runs them in this
  // order; the start-up benchmark times each one.
  struct InitStep {
    const char* name;
    void (CTunerDlg::*run)();
  };
  static const std::vector<InitStep>& InitSteps();

 protected:
  BOOL OnInitDialog() override;
  // Escape does not close the main window.
  void OnCancel() override {}
  void DoDataExchange(DataExchange& exchange) override;

 private:
  // The framework's own initialisation: binds the controls and creates the
  // skin objects.
  void BindControls();
  void AddAboutToSystemMenu();
  void SetIcons();
  void FillLanguageList();
  void ShowBackupState();
  void SetUpLink();
  void StartComponents();
  bool OnSystemCommand(WPARAM command);
  bool OnPaint();
  void OnSetSettings();
  // What the wizard works with: the program's own, and this window's skin
  // and Reset button.
  WizardRun MakeWizardRun();
  void OnResetSettings();
  bool ResetMayWork() const;
  void OnLanguageChanged();
  // The folder the program file lies in.
  std::string ProgramFolder() const;

  CWebLink m_link;
  LanguageListControl m_comboLanguage;
  CSkin m_skin;
  CSplash m_splash;
  SkinComponent* skin_;
  SplashComponent* splash_;
  HICON m_hIcon;
  // The sheet of the latest wizard run. It outlives its run, since the
  // record lives in it, and goes when the next run starts.
  std::unique_ptr<CMyPropertySheet> wizardSheet_;
};

}  // namespace velo
