#include "framework/Dialog.h"

#include "framework/HostedControl.h"
#include "framework/MessageBoundary.h"
#include "framework/Window.h"

namespace velo {

namespace {

HBRUSH BackgroundBrush() {
  static HBRUSH brush = CreateSolidBrush(kDialogBackground);
  return brush;
}

// Messages whose answer is the dialog procedure's return value itself;
// every other answer goes through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
      return true;
    default:
      return false;
  }
}

bool IsEditNotification(UINT message, WPARAM wParam) {
  if (message != WM_COMMAND) return false;
  UINT code = HIWORD(wParam);
  return code == EN_CHANGE || code == EN_UPDATE || code == EN_KILLFOCUS ||
         code == EN_SETFOCUS;
}

}  // namespace

HBRUSH UseDialogColours(HDC dc) {
  SetTextColor(dc, kDialogText);
  SetBkColor(dc, kDialogBackground);
  return BackgroundBrush();
}

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {}

Dialog* DialogFromHandle(HWND window) {
  return reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
}

INT_PTR Dialog::DoModal(HWND parent) {
  return DialogBoxParamA(GetModuleHandleA(nullptr),
                         MAKEINTRESOURCEA(templateId_), parent, &DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HWND parent) {
  return CreateDialogParamA(GetModuleHandleA(nullptr),
                            MAKEINTRESOURCEA(templateId_), parent,
                            &DialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

bool Dialog::UpdateData(bool saveAndValidate, int onlyControl) {
  return Exchange(saveAndValidate, onlyControl) == kExchangeDone;
}

ExchangeFailure Dialog::Exchange(bool saveAndValidate, int onlyControl) {
  DataExchange exchange(*this, saveAndValidate, onlyControl);
  bool wasExchanging = exchanging_;
  exchanging_ = true;
  DoDataExchange(exchange);
  exchanging_ = wasExchanging;
  return exchange.Failure();
}

BOOL Dialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void Dialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::Adopt(HostedControl& control) {
  for (HostedControl* hosted : hosted_)
    if (hosted == &control) return false;
  hosted_.push_back(&control);
  return true;
}

void Dialog::DestroyHostedControls() {
  for (auto hosted = hosted_.rbegin(); hosted != hosted_.rend(); ++hosted)
    (*hosted)->Destroy();
  hosted_.clear();
}

void Dialog::AttachWindow(HWND window) {
  hwnd_ = window;
  SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
  Dialog* dialog = DialogFromHandle(window);
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<Dialog*>(lParam);
    dialog->AttachWindow(window);
  }
  if (!dialog) return FALSE;
  return WithinMessageBoundary(&ShowEscapeReport, [&] {
    return dialog->HandleMessage(window, message, wParam, lParam);
  });
}

INT_PTR Dialog::HandleMessage(HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  LRESULT result = 0;
  bool handled;
  if (message == WM_INITDIALOG) {
    result = OnInitDialog();
    handled = true;
  } else if (exchanging_ && IsEditNotification(message, wParam)) {
    handled = true;
  } else {
    handled = ReflectToControl(message, wParam, lParam, &result) ||
              messages_.Dispatch(message, wParam, lParam, &result) ||
              HandleDefault(message, wParam, lParam, &result);
  }
  // The controls go while the window they draw in still exists.
  if (message == WM_DESTROY) DestroyHostedControls();
  if (message == WM_NCDESTROY) hwnd_ = nullptr;
  if (!handled) return FALSE;
  if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

bool Dialog::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* result) {
  HWND child = nullptr;
  if (message == WM_COMMAND && lParam) child = reinterpret_cast<HWND>(lParam);
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN)
    child = reinterpret_cast<HWND>(lParam);
  Control* control = child ? Control::FromHandle(child) : nullptr;
  if (!control) return false;
  if (message == WM_COMMAND) return control->OnReflectedCommand(HIWORD(wParam));
  HBRUSH brush = control->OnReflectedColour(reinterpret_cast<HDC>(wParam));
  *result = reinterpret_cast<LRESULT>(brush);
  return brush != nullptr;
}

bool Dialog::HandleDefault(UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) != BN_CLICKED) return false;
      if (LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return true;
      }
      return false;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      *result = reinterpret_cast<LRESULT>(
          UseDialogColours(reinterpret_cast<HDC>(wParam)));
      return true;
    default:
      return false;
  }
}

}  // namespace velo
