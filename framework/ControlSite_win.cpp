#include "framework/ControlSite.h"

#include <olectl.h>

#include "framework/Dialog.h"

namespace velo {

namespace {

enum AmbientKind { kAmbientFlag, kAmbientColour, kAmbientLocale };

struct Ambient {
  DISPID id;
  AmbientKind kind;
  LONG value;  // the flag or the colour; the locale is the user's
};

// What a hosted control may ask of its surroundings. It runs for the user
// (never in a designer), in the dialog's colours; the dialog reflects no
// messages to it and routes no mnemonics. Any other ambient, the font
// among them, is unknown, so the control keeps its own.
const Ambient kAmbients[] = {
    {DISPID_AMBIENT_USERMODE, kAmbientFlag, TRUE},
    {DISPID_AMBIENT_UIDEAD, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_SHOWGRABHANDLES, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_SHOWHATCHING, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_DISPLAYASDEFAULT, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_SUPPORTSMNEMONICS, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_MESSAGEREFLECT, kAmbientFlag, FALSE},
    {DISPID_AMBIENT_AUTOCLIP, kAmbientFlag, TRUE},
    {DISPID_AMBIENT_BACKCOLOR, kAmbientColour,
     static_cast<LONG>(kDialogBackground)},
    {DISPID_AMBIENT_FORECOLOR, kAmbientColour, static_cast<LONG>(kDialogText)},
    {DISPID_AMBIENT_LOCALEID, kAmbientLocale, 0},
};

const Ambient* FindAmbient(DISPID id) {
  for (const Ambient& ambient : kAmbients)
    if (ambient.id == id) return &ambient;
  return nullptr;
}

void AmbientValue(const Ambient& ambient, VARIANT* result) {
  VariantInit(result);
  switch (ambient.kind) {
    case kAmbientFlag:
      result->vt = VT_BOOL;
      result->boolVal = ambient.value ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case kAmbientColour:
      result->vt = VT_I4;
      result->lVal = ambient.value;
      break;
    case kAmbientLocale:
      result->vt = VT_I4;
      result->lVal = static_cast<LONG>(GetUserDefaultLCID());
      break;
  }
}

}  // namespace

ControlSite::ControlSite(HWND dialog, const RECT& area)
    : dialog_(dialog), area_(area) {}

HRESULT ControlSite::QueryInterface(REFIID id, void** result) {
  if (!result) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IOleClientSite)) {
    *result = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(id, IID_IOleWindow) ||
             IsEqualIID(id, IID_IOleInPlaceSite)) {
    *result = static_cast<IOleInPlaceSite*>(this);
  } else if (IsEqualIID(id, IID_IOleInPlaceUIWindow) ||
             IsEqualIID(id, IID_IOleInPlaceFrame)) {
    *result = static_cast<IOleInPlaceFrame*>(this);
  } else if (IsEqualIID(id, IID_IOleControlSite)) {
    *result = static_cast<IOleControlSite*>(this);
  } else if (IsEqualIID(id, IID_IDispatch)) {
    *result = static_cast<IDispatch*>(this);
  } else {
    *result = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ControlSite::AddRef() { return InterlockedIncrement(&references_); }

ULONG ControlSite::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

// The control's properties live in the template: there is nothing to save
// them to, and no document to name or link to.
HRESULT ControlSite::SaveObject() { return E_NOTIMPL; }

HRESULT ControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

HRESULT ControlSite::ShowObject() { return S_OK; }
HRESULT ControlSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT ControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

HRESULT ControlSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = dialog_;
  return S_OK;
}

HRESULT ControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT ControlSite::CanInPlaceActivate() { return S_OK; }

HRESULT ControlSite::OnInPlaceActivate() {
  inPlaceActive_ = true;
  return S_OK;
}

HRESULT ControlSite::OnUIActivate() { return S_OK; }

HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                      IOleInPlaceUIWindow** document,
                                      RECT* position, RECT* clip,
                                      OLEINPLACEFRAMEINFO* frameInfo) {
  if (!frame || !document || !position || !clip || !frameInfo)
    return E_POINTER;
  // The dialog is frame and document at once: the control gets no separate
  // document window.
  *frame = static_cast<IOleInPlaceFrame*>(this);
  AddRef();
  *document = nullptr;
  *position = area_;
  *clip = area_;
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = dialog_;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT ControlSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT ControlSite::OnUIDeactivate(BOOL) { return S_OK; }

HRESULT ControlSite::OnInPlaceDeactivate() {
  inPlaceActive_ = false;
  return S_OK;
}

HRESULT ControlSite::DiscardUndoState() { return S_OK; }
HRESULT ControlSite::DeactivateAndUndo() { return S_OK; }

// The placeholder's rectangle is fixed; a control that wants another keeps
// the one it has.
HRESULT ControlSite::OnPosRectChange(LPCRECT) { return E_NOTIMPL; }

HRESULT ControlSite::GetBorder(RECT* border) {
  if (border) SetRectEmpty(border);
  return INPLACE_E_NOTOOLSPACE;
}

HRESULT ControlSite::RequestBorderSpace(LPCBORDERWIDTHS) {
  return INPLACE_E_NOTOOLSPACE;
}

HRESULT ControlSite::SetBorderSpace(LPCBORDERWIDTHS widths) {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

HRESULT ControlSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
  return S_OK;
}

HRESULT ControlSite::InsertMenus(HMENU, OLEMENUGROUPWIDTHS* widths) {
  if (widths)
    for (LONG& width : widths->width) width = 0;
  return S_OK;
}

HRESULT ControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT ControlSite::RemoveMenus(HMENU) { return S_OK; }
HRESULT ControlSite::SetStatusText(LPCOLESTR) { return E_NOTIMPL; }
HRESULT ControlSite::EnableModeless(BOOL) { return S_OK; }
HRESULT ControlSite::TranslateAccelerator(MSG*, WORD) { return S_FALSE; }

HRESULT ControlSite::OnControlInfoChanged() { return S_OK; }
HRESULT ControlSite::LockInPlaceActive(BOOL) { return S_OK; }

// The dialog adds no properties of its own around the control.
HRESULT ControlSite::GetExtendedControl(IDispatch** control) {
  if (control) *control = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlSite::TransformCoords(POINTL* himetric, POINTF* container,
                                     DWORD flags) {
  if (!himetric || !container) return E_POINTER;
  const double kHimetricPerInch = 2540.0;
  HDC screen = GetDC(nullptr);
  if (!screen) return E_FAIL;
  double perInchX = GetDeviceCaps(screen, LOGPIXELSX);
  double perInchY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    container->x = static_cast<float>(himetric->x * perInchX / kHimetricPerInch);
    container->y = static_cast<float>(himetric->y * perInchY / kHimetricPerInch);
    return S_OK;
  }
  if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    himetric->x = static_cast<LONG>(container->x * kHimetricPerInch / perInchX +
                                    (container->x < 0 ? -0.5 : 0.5));
    himetric->y = static_cast<LONG>(container->y * kHimetricPerInch / perInchY +
                                    (container->y < 0 ? -0.5 : 0.5));
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT ControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
HRESULT ControlSite::OnFocus(BOOL) { return S_OK; }
HRESULT ControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

HRESULT ControlSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT ControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                   DISPID* ids) {
  if (ids)
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT ControlSite::Invoke(DISPID id, REFIID interfaceId, LCID, WORD flags,
                            DISPPARAMS* parameters, VARIANT* result,
                            EXCEPINFO*, UINT*) {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  const Ambient* ambient = FindAmbient(id);
  if (!ambient || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (parameters && parameters->cArgs) return DISP_E_BADPARAMCOUNT;
  if (!result) return E_POINTER;
  AmbientValue(*ambient, result);
  return S_OK;
}

}  // namespace velo
