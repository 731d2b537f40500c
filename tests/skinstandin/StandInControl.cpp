#include "StandInControl.h"

#include <olectl.h>

#include <cstring>
#include <new>
#include <vector>

#include "CallLog.h"
#include "StandInModule.h"
#include "framework/WindowRect.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace velo {

namespace {

struct Method {
  const char* object;
  DISPID id;
};

// The methods the component offers; a call to any other DISPID is logged
// too, so a stray call shows, and answered as an unknown member.
const Method kMethods[] = {
    {"skin", 0x60020001},  // LoadSkin
    {"skin", 0x60020006},  // SkinWindow
    {"skin", 0x60020007},  // SkinElement
    {"splash", 22},        // LoadSplash
    {"splash", 19},        // display time
    {"splash", 15},        // shown
};

bool IsMethod(const char* object, DISPID id) {
  for (const Method& method : kMethods)
    if (method.id == id && std::strcmp(method.object, object) == 0) return true;
  return false;
}

const char kWindowClass[] = "VelocineSkinStandIn";

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_HIGHLIGHT));
  EndPaint(window, &paint);
  return 0;
}

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

void RegisterWindowClass() {
  WNDCLASSA windowClass;
  if (GetClassInfoA(ThisModule(), kWindowClass, &windowClass)) return;
  ZeroMemory(&windowClass, sizeof windowClass);
  windowClass.lpfnWndProc = &StandInWindowProc;
  windowClass.hInstance = ThisModule();
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
}

// The bytes left in the stream, up to a bound far above any property set.
std::vector<uint8_t> ReadAll(IStream* stream) {
  std::vector<uint8_t> bytes;
  uint8_t chunk[256];
  ULONG read = 0;
  while (bytes.size() < 65536 &&
         SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0)
    bytes.insert(bytes.end(), chunk, chunk + read);
  return bytes;
}

// Whether the test asks this hosting call to fail: VELO_SKIN_REFUSE names it
// as the log does ("IOleObject::DoVerb").
bool Refuses(const char* method) {
  char refused[64];
  DWORD length = GetEnvironmentVariableA("VELO_SKIN_REFUSE", refused,
                                         sizeof refused);
  return length > 0 && length < sizeof refused &&
         std::strcmp(refused, method) == 0;
}

}  // namespace

StandInControl::StandInControl(const char* object) : object_(object) {
  LockModule();
}

StandInControl::~StandInControl() {
  DeactivateInPlace();
  if (clientSite_) clientSite_->Release();
  Log("IUnknown::Release last");
  UnlockModule();
}

void StandInControl::Log(const std::string& words) const {
  LogHostingCall(object_, words);
}

void StandInControl::LogAmbient(DISPID id, const char* name) const {
  IDispatch* ambients = nullptr;
  VARIANT value;
  VariantInit(&value);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  bool answered =
      SUCCEEDED(clientSite_->QueryInterface(
          IID_IDispatch, reinterpret_cast<void**>(&ambients))) &&
      SUCCEEDED(ambients->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT,
                                 DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                 nullptr));
  if (ambients) ambients->Release();
  Log(std::string("Ambient::") + name + " " +
      (answered ? FormatValue(value) : "none"));
  VariantClear(&value);
}

HRESULT StandInControl::QueryInterface(REFIID id, void** result) {
  if (!result) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IOleObject)) {
    *result = static_cast<IOleObject*>(this);
  } else if (IsEqualIID(id, IID_IOleWindow) ||
             IsEqualIID(id, IID_IOleInPlaceObject)) {
    *result = static_cast<IOleInPlaceObject*>(this);
  } else if (IsEqualIID(id, IID_IPersist) ||
             IsEqualIID(id, IID_IPersistStreamInit)) {
    *result = static_cast<IPersistStreamInit*>(this);
  } else if (IsEqualIID(id, IID_IDispatch)) {
    *result = static_cast<IDispatch*>(this);
  } else {
    *result = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG StandInControl::AddRef() { return InterlockedIncrement(&references_); }

ULONG StandInControl::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT StandInControl::SetClientSite(IOleClientSite* site) {
  Log(std::string("IOleObject::SetClientSite ") + (site ? "site" : "null"));
  if (site) site->AddRef();
  if (clientSite_) clientSite_->Release();
  clientSite_ = site;
  // What a control commonly reads as soon as it has a site.
  if (clientSite_) {
    LogAmbient(DISPID_AMBIENT_USERMODE, "UserMode");
    LogAmbient(DISPID_AMBIENT_BACKCOLOR, "BackColor");
  }
  return S_OK;
}

HRESULT StandInControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = clientSite_;
  if (clientSite_) clientSite_->AddRef();
  return S_OK;
}

HRESULT StandInControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
  Log("IOleObject::SetHostNames");
  return S_OK;
}

HRESULT StandInControl::Close(DWORD option) {
  Log("IOleObject::Close " + std::to_string(option));
  DeactivateInPlace();
  return S_OK;
}

HRESULT StandInControl::SetMoniker(DWORD, IMoniker*) {
  Log("IOleObject::SetMoniker");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  Log("IOleObject::GetMoniker");
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT StandInControl::InitFromData(IDataObject*, BOOL, DWORD) {
  Log("IOleObject::InitFromData");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetClipboardData(DWORD, IDataObject** data) {
  Log("IOleObject::GetClipboardData");
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT StandInControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG,
                               HWND, LPCRECT area) {
  RECT given = {};
  if (area) given = *area;
  Log("IOleObject::DoVerb " + std::to_string(verb) + " " + FormatRect(given));
  if (Refuses("IOleObject::DoVerb")) return E_FAIL;
  switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
    case OLEIVERB_SHOW:
    case OLEIVERB_PRIMARY:
      return ActivateInPlace(site ? site : clientSite_) ? S_OK : E_FAIL;
    case OLEIVERB_HIDE:
      if (window_) ShowWindow(window_, SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

bool StandInControl::ActivateInPlace(IOleClientSite* site) {
  if (window_) return true;
  const char* refused = nullptr;
  IOleInPlaceSite* inPlaceSite = nullptr;
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* document = nullptr;
  HWND parent = nullptr;
  RECT position, clip;
  OLEINPLACEFRAMEINFO frameInfo = {sizeof frameInfo, FALSE, nullptr, nullptr, 0};
  if (!site || FAILED(site->QueryInterface(
                   IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlaceSite)))) {
    refused = "QueryInterface";
  } else if (inPlaceSite->CanInPlaceActivate() != S_OK) {
    refused = "CanInPlaceActivate";
    inPlaceSite->Release();
  } else if (FAILED(inPlaceSite->OnInPlaceActivate())) {
    refused = "OnInPlaceActivate";
    inPlaceSite->Release();
  } else {
    // From here on the site counts the control as active until told not.
    inPlaceSite_ = inPlaceSite;
    if (FAILED(inPlaceSite_->GetWindow(&parent)) || !parent)
      refused = "GetWindow";
    else if (FAILED(inPlaceSite_->GetWindowContext(&frame, &document, &position,
                                                   &clip, &frameInfo)))
      refused = "GetWindowContext";
  }
  if (frame) frame->Release();
  if (document) document->Release();
  if (!refused) {
    RegisterWindowClass();
    window_ = CreateWindowExA(0, kWindowClass, object_, WS_CHILD | WS_VISIBLE,
                              position.left, position.top,
                              position.right - position.left,
                              position.bottom - position.top, parent, nullptr,
                              ThisModule(), nullptr);
    if (!window_) refused = "CreateWindow";
  }
  if (refused) {
    Log(std::string("InPlace::Refused ") + refused);
    DeactivateInPlace();
    return false;
  }
  Log("InPlace::Window " + std::to_string(HandleToLong(parent)) + " " +
      FormatRect(WindowRectIn(window_, parent)));
  return true;
}

void StandInControl::DeactivateInPlace() {
  if (window_) DestroyWindow(window_);
  window_ = nullptr;
  if (!inPlaceSite_) return;
  inPlaceSite_->OnInPlaceDeactivate();
  inPlaceSite_->Release();
  inPlaceSite_ = nullptr;
}

HRESULT StandInControl::EnumVerbs(IEnumOLEVERB** verbs) {
  Log("IOleObject::EnumVerbs");
  if (verbs) *verbs = nullptr;
  return E_NOTIMPL;
}

HRESULT StandInControl::Update() {
  Log("IOleObject::Update");
  return S_OK;
}

HRESULT StandInControl::IsUpToDate() {
  Log("IOleObject::IsUpToDate");
  return S_OK;
}

HRESULT StandInControl::GetUserClassID(CLSID* id) {
  Log("IOleObject::GetUserClassID");
  if (id) *id = CLSID_NULL;
  return E_NOTIMPL;
}

HRESULT StandInControl::GetUserType(DWORD, LPOLESTR* type) {
  Log("IOleObject::GetUserType");
  if (type) *type = nullptr;
  return OLE_S_USEREG;
}

HRESULT StandInControl::SetExtent(DWORD, SIZEL*) {
  Log("IOleObject::SetExtent");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetExtent(DWORD, SIZEL* extent) {
  Log("IOleObject::GetExtent");
  if (!extent) return E_POINTER;
  extent->cx = extent->cy = 0;
  return E_NOTIMPL;
}

HRESULT StandInControl::Advise(IAdviseSink*, DWORD* connection) {
  Log("IOleObject::Advise");
  if (connection) *connection = 0;
  return E_NOTIMPL;
}

HRESULT StandInControl::Unadvise(DWORD) {
  Log("IOleObject::Unadvise");
  return E_NOTIMPL;
}

HRESULT StandInControl::EnumAdvise(IEnumSTATDATA** advises) {
  Log("IOleObject::EnumAdvise");
  if (advises) *advises = nullptr;
  return E_NOTIMPL;
}

HRESULT StandInControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  Log("IOleObject::GetMiscStatus " + std::to_string(aspect));
  if (!status) return E_POINTER;
  *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE |
            OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
            OLEMISC_RECOMPOSEONRESIZE;
  return S_OK;
}

HRESULT StandInControl::SetColorScheme(LOGPALETTE*) {
  Log("IOleObject::SetColorScheme");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return window_ ? S_OK : E_FAIL;
}

HRESULT StandInControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT StandInControl::InPlaceDeactivate() {
  Log("IOleInPlaceObject::InPlaceDeactivate");
  DeactivateInPlace();
  return S_OK;
}

HRESULT StandInControl::UIDeactivate() {
  Log("IOleInPlaceObject::UIDeactivate");
  return S_OK;
}

HRESULT StandInControl::SetObjectRects(LPCRECT position, LPCRECT) {
  RECT given = {};
  if (position) given = *position;
  Log("IOleInPlaceObject::SetObjectRects " + FormatRect(given));
  if (window_ && position)
    MoveWindow(window_, given.left, given.top, given.right - given.left,
               given.bottom - given.top, TRUE);
  return S_OK;
}

HRESULT StandInControl::ReactivateAndUndo() {
  Log("IOleInPlaceObject::ReactivateAndUndo");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetClassID(CLSID* id) {
  Log("IPersist::GetClassID");
  if (id) *id = CLSID_NULL;
  return E_NOTIMPL;
}

HRESULT StandInControl::IsDirty() {
  Log("IPersistStreamInit::IsDirty");
  return S_FALSE;
}

HRESULT StandInControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  Log("IPersistStreamInit::Load " + FormatBytes(ReadAll(stream)));
  return Refuses("IPersistStreamInit::Load") ? E_FAIL : S_OK;
}

HRESULT StandInControl::Save(LPSTREAM, BOOL) {
  Log("IPersistStreamInit::Save");
  return E_NOTIMPL;
}

HRESULT StandInControl::GetSizeMax(ULARGE_INTEGER* size) {
  Log("IPersistStreamInit::GetSizeMax");
  if (size) size->QuadPart = 0;
  return E_NOTIMPL;
}

HRESULT StandInControl::InitNew() {
  Log("IPersistStreamInit::InitNew");
  return S_OK;
}

HRESULT StandInControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT StandInControl::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT StandInControl::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                      DISPID* ids) {
  if (ids) *ids = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT StandInControl::Invoke(DISPID id, REFIID interfaceId, LCID, WORD flags,
                               DISPPARAMS* parameters, VARIANT* result,
                               EXCEPINFO*, UINT* argumentError) {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (flags != DISPATCH_METHOD) return DISP_E_MEMBERNOTFOUND;
  if (!parameters || (parameters->cArgs && !parameters->rgvarg))
    return E_INVALIDARG;
  if (parameters->cNamedArgs) return DISP_E_NONAMEDARGS;
  if (argumentError) *argumentError = 0;
  if (result) VariantInit(result);
  try {
    AppendToCallLog(FormatCall(object_, id, *parameters));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
  return IsMethod(object_, id) ? S_OK : DISP_E_MEMBERNOTFOUND;
}

}  // namespace velo
