#include "framework/WizardSheet.h"

#include "framework/Dialog.h"
#include "framework/MessageBoundary.h"
#include "framework/PropertyPage.h"

namespace velo {

namespace {

const char kSheetProperty[] = "Velocine.WizardSheet";

// The sheet being created on this (the only) thread, and the hook that
// catches its window before the platform initialises it.
WizardSheet* g_creating = nullptr;
HHOOK g_creationHook = nullptr;

}  // namespace

WizardSheet::WizardSheet(int captionStringId)
    : captionStringId_(captionStringId) {}

WizardSheet::~WizardSheet() {}

void WizardSheet::AddPage(PropertyPage& page) { pages_.push_back(&page); }

INT_PTR WizardSheet::DoModal(HWND parent) { return Run(parent, false); }

HWND WizardSheet::CreateModeless(HWND parent) {
  Run(parent, true);
  return hwnd_;
}

INT_PTR WizardSheet::Run(HWND parent, bool modeless) {
  std::vector<PROPSHEETPAGEA> described;
  for (PropertyPage* page : pages_) described.push_back(page->Describe());

  PROPSHEETHEADERA header;
  ZeroMemory(&header, sizeof header);
  header.dwSize = sizeof header;
  // No PSH_HASHELP: the sheet offers no Help button.
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_NOAPPLYNOW |
                   (modeless ? PSH_MODELESS : 0);
  header.hwndParent = parent;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = MAKEINTRESOURCEA(captionStringId_);
  header.nPages = static_cast<UINT>(described.size());
  header.nStartPage = 0;
  header.ppsp = described.data();

  // Catch the sheet's window as it is made, so this object sees its
  // initialisation and its destruction.
  g_creating = this;
  g_creationHook = SetWindowsHookExA(WH_CBT, &CreationHook, nullptr,
                                     GetCurrentThreadId());
  INT_PTR result = PropertySheetA(&header);
  if (g_creationHook) UnhookWindowsHookEx(g_creationHook);
  g_creationHook = nullptr;
  g_creating = nullptr;
  return result;
}

LRESULT CALLBACK WizardSheet::CreationHook(int code, WPARAM wParam,
                                             LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_creating) {
    HWND window = reinterpret_cast<HWND>(wParam);
    const CBT_CREATEWNDA* created = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    // The sheet is the first top-level window made during the call.
    if (!(created->lpcs->style & WS_CHILD)) {
      WizardSheet* sheet = g_creating;
      g_creating = nullptr;
      sheet->hwnd_ = window;
      SetPropA(window, kSheetProperty, sheet);
      sheet->original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
          window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SheetProc)));
    }
  }
  return CallNextHookEx(g_creationHook, code, wParam, lParam);
}

LRESULT CALLBACK WizardSheet::SheetProc(HWND window, UINT message,
                                          WPARAM wParam, LPARAM lParam) {
  WizardSheet* sheet =
      static_cast<WizardSheet*>(GetPropA(window, kSheetProperty));
  if (!sheet) return DefWindowProcA(window, message, wParam, lParam);
  return WithinMessageBoundary(&ShowEscapeReport, [&] {
    return sheet->HandleMessage(message, wParam, lParam);
  });
}

LRESULT WizardSheet::HandleMessage(UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  HWND window = hwnd_;
  WNDPROC original = original_;
  switch (message) {
    case WM_INITDIALOG: {
      LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
      OnInitDialog();
      return result;
    }
    case WM_DESTROY: {
      LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
      OnDestroy();
      return result;
    }
    case WM_SETTEXT:
      if (captionSet_ && !settingCaption_) return TRUE;
      return CallWindowProcA(original, window, message, wParam, lParam);
    // The sheet's own frame around the page, and its buttons, in the
    // colours of every other dialog.
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(
          UseDialogColours(reinterpret_cast<HDC>(wParam)));
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      RemovePropA(window, kSheetProperty);
      hwnd_ = nullptr;
      return CallWindowProcA(original, window, message, wParam, lParam);
    default: {
      LRESULT result = 0;
      if (messages_.Dispatch(message, wParam, lParam, &result)) return result;
      return CallWindowProcA(original, window, message, wParam, lParam);
    }
  }
}

void WizardSheet::SetWizardButtons(DWORD buttons) {
  PostMessageA(hwnd_, PSM_SETWIZBUTTONS, 0, buttons);
}

int WizardSheet::ActiveIndex() const {
  HWND page = reinterpret_cast<HWND>(SendMessageA(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
  for (size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i]->Hwnd() && pages_[i]->Hwnd() == page) return static_cast<int>(i);
  return -1;
}

int WizardSheet::TemplateOf(int index) const {
  return pages_.at(static_cast<size_t>(index))->TemplateId();
}

void WizardSheet::SetCaption(const char* caption) {
  captionSet_ = true;
  settingCaption_ = true;
  SetWindowTextA(hwnd_, caption);
  settingCaption_ = false;
}

}  // namespace velo
