// The tuning wizard: a property sheet in wizard mode with its nine pages and
// the settings record of one run. A new sheet is made for every run; it takes
// the backup when it opens, and Finish writes the record. The pages ask the
// sheet for what the run works with (WizardRun).
#pragma once

#include <array>
#include <cstdint>

#include "framework/WizardSheet.h"
#include "store/SettingsRecord.h"
#include "wizard/ChooseConnectionType.h"
#include "wizard/ICMPRedirectAttackSetting.h"
#include "wizard/KeepAliveSettings.h"
#include "wizard/MTUSettings.h"
#include "wizard/ModemBoost.h"
#include "wizard/OtherMTUSettings.h"
#include "wizard/RWINSetting.h"
#include "wizard/SYNFloodAttackSetting.h"
#include "wizard/TTLSetting.h"
#include "wizard/WizardRun.h"

namespace velo {

class CMyPropertySheet : public WizardSheet {
 public:
  explicit CMyPropertySheet(const WizardRun& run);
  CMyPropertySheet(const CMyPropertySheet&) = delete;
  CMyPropertySheet& operator=(const CMyPropertySheet&) = delete;

  // Writes the record into the registry and tells the user how it went.
  // Called by the Finish of whichever page ends the run. Nothing is written
  // when the backup could not be taken whole: Reset could not undo it.
  void ApplySettings();

  const WizardRun& Run() const { return run_; }
  WindowsFamily Family() const { return run_.family; }
  const WindowsLimits& Limits() const { return run_.limits; }

 private:
  // Read and filled by the pages below as they are made: declared before
  // them.
  const WizardRun run_;
  std::array<CWizardPage*, kWizardPageCount> ordered_{};

 public:
  // The nine pages, each embedded in the sheet and handed the sheet.
  CChooseConnectionType m_connectionType;
  CICMPRedirectAttackSetting m_icmpRedirect;
  CSYNFloodAttackSetting m_synFlood;
  CKeepAliveSettings m_keepAlive;
  CTTLSetting m_ttl;
  CRWINSetting m_rwin;
  COtherMTUSettings m_otherMtu;
  CMTUSettings m_mtu;
  CModemBoost m_modemBoost;

  // The settings record of this run, and what the backup found.
  SettingsRecord record;
  FoundFlags found;
  // What the MTU step's search measured, for the receive window step.
  MeasuredRoundTrip roundTrip;

 protected:
  void OnInitDialog() override;
  void OnDestroy() override;

 private:
  friend class CWizardPage;
  // A page being made takes its place in the page order, so the sheet adds
  // its pages in the order the run's steps follow.
  void TakePage(CWizardPage& page, WizardPageIndex index);

  void SetButtonTexts();
  // Copies the current settings into the backup key and the record.
  void BackupSettings();
  // The recommendations that need no answer from the user.
  void SeedDefaults();
  void SkinSheet();

  bool backupTaken_ = false;
};

}  // namespace velo
