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

void CWizardPage::UseNumberBoxes(std::initializer_list<NumberBox> boxes) {
  boxes_.assign(boxes);
  held_.assign(boxes_.size(), 0);
  for (size_t box = 0; box < boxes_.size(); ++box) {
    if (boxes_[box].lowest == kNoFallBack) continue;
    Messages().OnCommand(boxes_[box].control, EN_KILLFOCUS,
                         [this, box] { SettleBoxOnLeaving(box); });
  }
}

BOOL CWizardPage::OnInitDialog() {
  LoadBoxes();
  return PropertyPage::OnInitDialog();
}

void CWizardPage::LoadBoxes() {
  for (size_t box = 0; box < boxes_.size(); ++box)
    held_[box] = Record().*boxes_[box].value;
}

void CWizardPage::StoreBoxes() {
  for (size_t box = 0; box < boxes_.size(); ++box)
    Record().*boxes_[box].value = held_[box];
}

int32_t CWizardPage::BoxValue(int control) const {
  for (size_t box = 0; box < boxes_.size(); ++box)
    if (boxes_[box].control == control) return held_[box];
  return 0;
}

BoxBound CWizardPage::BoundOf(const NumberBox& box) const {
  return {box.lowest, Record().*box.recommended};
}

void CWizardPage::SettleBoxOnLeaving(size_t box) {
  const int control = boxes_[box].control;
  bool rewrite = false;
  held_[box] = SettleOnLeaving(WindowText(Item(control)), BoundOf(boxes_[box]),
                               &rewrite);
  if (rewrite) SetItemText(control, std::to_string(held_[box]));
}

void CWizardPage::DoDataExchange(DataExchange& exchange) {
  for (size_t box = 0; box < boxes_.size(); ++box)
    exchange.IntInRange(boxes_[box].control, held_[box], boxes_[box].rangeLow,
                        boxes_[box].rangeHigh);
}

void CWizardPage::SettleBoxes() {
  for (size_t box = 0; box < boxes_.size(); ++box)
    held_[box] = AtLeastLowest(held_[box], BoundOf(boxes_[box]));
  UpdateData(false);
  StoreBoxes();
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
