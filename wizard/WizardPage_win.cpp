#include "wizard/WizardPage.h"

#include "framework/Window.h"
#include "skin/SkinComponent.h"
#include "wizard/MyPropertySheet.h"

namespace velo {

CWizardPage::CWizardPage(CMyPropertySheet& sheet,
                         const PageDescription& description)
    : PropertyPage(description.templateId),
      sheet_(sheet),
      description_(description),
      held_(description.boxes.size(), 0) {
  sheet.TakePage(*this, description.index);
  for (size_t box = 0; box < description.boxes.size(); ++box) {
    if (description.boxes[box].lowest == kNoFallBack) continue;
    Messages().OnCommand(description.boxes[box].control, EN_KILLFOCUS,
                         [this, box] { SettleBoxOnLeaving(box); });
  }
}

SettingsRecord& CWizardPage::Record() const { return Sheet().record; }

const FoundFlags& CWizardPage::Found() const { return Sheet().found; }

WindowsFamily CWizardPage::Family() const { return Sheet().Family(); }

const WindowsLimits& CWizardPage::Limits() const { return Sheet().Limits(); }

int32_t CWizardPage::ModemFound() const { return Run().modemFound; }

const WizardRun& CWizardPage::Run() const { return Sheet().Run(); }

const Texts& CWizardPage::Localized() const { return Run().texts; }

std::string CWizardPage::Text(TextId id) const { return Localized().Load(id); }

void CWizardPage::SetItemText(int controlId, const std::string& text) {
  SetWindowTextString(Item(controlId), text);
}

bool CWizardPage::IsChecked(int controlId) const {
  return IsDlgButtonChecked(Hwnd(), controlId) == BST_CHECKED;
}

BOOL CWizardPage::OnInitDialog() {
  LoadBoxes();
  PropertyPage::OnInitDialog();
  SkinPage();
  return TRUE;
}

void CWizardPage::SkinPage() {
  SkinComponent* skin = Run().skin;
  if (!skin) return;
  skin->SkinElement(HandleToLong(Hwnd()), skin::kBackground);
  for (const SkinnedControl& control : description_.skin)
    skin->SkinElement(HandleToLong(Item(control.control)), control.element);
}

BOOL CWizardPage::OnSetActive() {
  Prepare();
  ShowTexts();
  UpdateData(false);
  Sheet().SetWizardButtons(static_cast<DWORD>(
      ButtonsOf(description_.index, Family(), ModemFound())));
  return PropertyPage::OnSetActive();
}

void CWizardPage::ShowTexts() {
  const Texts& texts = Localized();
  Sheet().SetCaption(StepCaption(texts, Family(), description_.title).c_str());
  DrawMenuBar(Sheet().Hwnd());
  for (const PageText& text : description_.texts)
    SetItemText(text.control, ComposeText(texts, text, Record(), Found()));
}

void CWizardPage::LoadBoxes() {
  for (size_t box = 0; box < held_.size(); ++box)
    held_[box] = Record().*description_.boxes[box].value;
}

BoxBound CWizardPage::BoundOf(size_t box) const {
  const NumberBox& described = description_.boxes[box];
  return {described.lowest, Record().*described.recommended};
}

void CWizardPage::SettleBoxOnLeaving(size_t box) {
  const int control = description_.boxes[box].control;
  bool rewrite = false;
  held_[box] = SettleOnLeaving(WindowText(Item(control)), BoundOf(box), &rewrite);
  if (rewrite) SetItemText(control, std::to_string(held_[box]));
}

void CWizardPage::DoDataExchange(DataExchange& exchange) {
  for (size_t box = 0; box < held_.size(); ++box) {
    const NumberBox& described = description_.boxes[box];
    exchange.IntInRange(described.control, held_[box], described.rangeLow,
                        described.rangeHigh);
    if (exchange.Failed()) {
      refused_ = box;
      return;
    }
  }
}

bool CWizardPage::RefusalKeepsPage(size_t box, ExchangeFailure failure) const {
  const int32_t lowest = description_.boxes[box].lowest;
  if (lowest == kNoFallBack) return true;
  return failure == kOutOfRange && held_[box] >= lowest;
}

bool CWizardPage::ReadBoxes() {
  if (held_.empty()) return true;
  const ExchangeFailure failure = Exchange(true);
  if (failure != kExchangeDone && RefusalKeepsPage(refused_, failure))
    return false;
  // A box that held no number has kept its earlier value; a value below its
  // box's lowest becomes the recommendation, as when the focus leaves it.
  for (size_t box = 0; box < held_.size(); ++box)
    held_[box] = AtLeastLowest(held_[box], BoundOf(box));
  UpdateData(false);
  for (size_t box = 0; box < held_.size(); ++box)
    Record().*description_.boxes[box].value = held_[box];
  return true;
}

void CWizardPage::StoreChecks() {
  for (const CheckBox& check : description_.checks)
    Record().*check.value =
        IsChecked(check.control) ? check.whenChecked : !check.whenChecked;
}

BOOL CWizardPage::OnKillActive() {
  if (!ReadBoxes()) return FALSE;
  StoreChecks();
  return PropertyPage::OnKillActive();
}

LRESULT CWizardPage::OnWizardNext() {
  return AnswerFor(NextPage(description_.index, Family(), ModemFound()));
}

LRESULT CWizardPage::OnWizardBack() {
  return AnswerFor(PreviousPage(description_.index, Family()));
}

LRESULT CWizardPage::AnswerFor(WizardPageIndex page) const {
  // Where the run has no page in that direction, the page stays: the sheet
  // would otherwise go on to the next page in its list, one the run skips.
  return page == kNoPage ? kStay : Sheet().TemplateOf(page);
}

BOOL CWizardPage::OnWizardFinish() {
  if (!ReadBoxes()) return FALSE;
  StoreChecks();
  Sheet().ApplySettings();
  return TRUE;
}

}  // namespace velo
