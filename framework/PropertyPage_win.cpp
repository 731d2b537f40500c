#include "framework/PropertyPage.h"

#include "framework/MessageBoundary.h"

namespace velo {

PropertyPage::PropertyPage(int templateId) : Dialog(templateId) {
  Messages().OnMessage(WM_NOTIFY, [this](WPARAM, LPARAM lParam, LRESULT* result) {
    return OnSheetNotify(reinterpret_cast<NMHDR*>(lParam), result);
  });
}

PROPSHEETPAGEA PropertyPage::Describe() {
  PROPSHEETPAGEA page;
  ZeroMemory(&page, sizeof page);
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DEFAULT;  // no PSP_HASHELP: no Help button
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
  page.pfnDlgProc = &PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND window, UINT message,
                                        WPARAM wParam, LPARAM lParam) {
  Dialog* page = DialogFromHandle(window);
  if (message == WM_INITDIALOG) {
    const PROPSHEETPAGEA* described =
        reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    PropertyPage* created = reinterpret_cast<PropertyPage*>(described->lParam);
    created->firstActivation_ = true;
    created->AttachWindow(window);
    page = created;
  }
  if (!page) return FALSE;
  return WithinMessageBoundary(&ShowEscapeReport, [&] {
    return static_cast<PropertyPage*>(page)->HandleMessage(window, message,
                                                           wParam, lParam);
  });
}

BOOL PropertyPage::OnSetActive() {
  if (firstActivation_)
    firstActivation_ = false;
  else
    UpdateData(false);
  return TRUE;
}

BOOL PropertyPage::OnKillActive() { return UpdateData(true); }

bool PropertyPage::OnSheetNotify(NMHDR* header, LRESULT* result) {
  if (header->hwndFrom != GetParent(Hwnd())) return false;
  switch (header->code) {
    case PSN_SETACTIVE:
      *result = OnSetActive() ? 0 : -1;
      return true;
    case PSN_KILLACTIVE:
      *result = OnKillActive() ? FALSE : TRUE;
      return true;
    case PSN_WIZNEXT:
      *result = OnWizardNext();
      return true;
    case PSN_WIZBACK:
      *result = OnWizardBack();
      return true;
    case PSN_WIZFINISH:
      *result = OnWizardFinish() ? FALSE : TRUE;
      return true;
    default:
      return false;
  }
}

}  // namespace velo
