#include "DispatchRecorder.h"

#include <cstring>
#include <new>

#include "CallLog.h"
#include "StandInModule.h"

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

}  // namespace

DispatchRecorder::DispatchRecorder(const char* object) : object_(object) {
  LockModule();
}

DispatchRecorder::~DispatchRecorder() { UnlockModule(); }

HRESULT DispatchRecorder::QueryInterface(REFIID id, void** result) {
  if (!result) return E_POINTER;
  if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch)) {
    *result = nullptr;
    return E_NOINTERFACE;
  }
  *result = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG DispatchRecorder::AddRef() { return InterlockedIncrement(&references_); }

ULONG DispatchRecorder::Release() {
  LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT DispatchRecorder::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT DispatchRecorder::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT DispatchRecorder::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                        DISPID* ids) {
  if (ids) *ids = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchRecorder::Invoke(DISPID id, REFIID interfaceId, LCID,
                                 WORD flags, DISPPARAMS* parameters,
                                 VARIANT* result, EXCEPINFO*,
                                 UINT* argumentError) {
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
