#include "wizard/WizardPage.h"

#include "app/TunerApp.h"
#include "framework/Window.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

CWizardPage::CWizardPage(CMyPropertySheet& sheet, int templateId,
                         WizardPageIndex index)
    : PropertyPage(templateId), sheet_(sheet), index_(index) {
  sheet.TakePage(*this, index);
}

SettingsRecord& CWizardPage::Record() const { return Sheet().record; }

const FoundFlags& CWizardPage::Found() const { return Sheet().found; }

WindowsFamily CWizardPage::Family() const { return Sheet().Family(); }

int32_t CWizardPage::ModemFound() const { return App().ModemFound; }

const Texts& CWizardPage::Localized() const { return App().Localized(); }

std::string CWizardPage::Text(const char* key,
                              const char* englishDefault) const {
  return Localized().Load(key, englishDefault);
}

void CWizardPage::ShowStepTitle(const StepTitle& title) {
  Sheet().SetCaption(StepCaption(Localized(), Family(), title).c_str());
  DrawMenuBar(Sheet().Hwnd());
}

void CWizardPage::SetItemText(int controlId, const std::string& text) {
  SetWindowTextString(Item(controlId), text);
}

void CWizardPage::SetLocalizedText(const char* key, int controlId,
                                   const char* englishDefault) {
  App().SetControlText(key, controlId, englishDefault, Hwnd());
}

bool CWizardPage::IsChecked(int controlId) const {
  return IsDlgButtonChecked(Hwnd(), controlId) == BST_CHECKED;
}

void CWizardPage::SettleBoxOnLeaving(int controlId, int32_t& member,
                                     BoxBound bound) {
  bool rewrite = false;
  member = SettleOnLeaving(WindowText(Item(controlId)), bound, &rewrite);
  if (rewrite) SetItemText(controlId, std::to_string(member));
}

void CWizardPage::ShowWizardButtons() {
  SetWizardButtons(ButtonsOf(index_, Family(), ModemFound()));
}

void CWizardPage::SetWizardButtons(WizardButtons buttons) {
  Sheet().SetWizardButtons(static_cast<DWORD>(buttons));
}

void CWizardPage::SkinPage(
    std::initializer_list<std::pair<int, const char*>> controls) {
  SkinComponent* skin = App().MainSkin();
  if (!skin) return;
  skin->SkinElement(HandleToLong(Hwnd()), skin::kBackground);
  for (const auto& control : controls)
    skin->SkinElement(HandleToLong(Item(control.first)), control.second);
}

LRESULT CWizardPage::OnWizardNext() {
  return AnswerFor(NextPage(index_, Family(), ModemFound()));
}

LRESULT CWizardPage::OnWizardBack() {
  return AnswerFor(PreviousPage(index_, Family()));
}

LRESULT CWizardPage::AnswerFor(WizardPageIndex page) const {
  // Where the run has no page in that direction, the page stays: the sheet
  // would otherwise go on to the next page in its list, one the run skips.
  return page == kNoPage ? kStay : Sheet().TemplateOf(page);
}

BOOL CWizardPage::OnWizardFinish() {
  Sheet().ApplySettings();
  return TRUE;
}

}  // namespace velo
