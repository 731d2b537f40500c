// One object of the stand-in: a simple control that activates in place in a
// window of its own, loads its properties from a stream, and answers
// IDispatch method calls. It logs every call of the hosting protocol and
// every method call (CallLog.h). Only plain method calls are logged as such;
// any other kind of dispatch call (property access, named arguments, an
// interface id other than IID_NULL) is refused, so it shows in the log as a
// missing line. When VELO_SKIN_REFUSE names IOleObject::DoVerb or
// IPersistStreamInit::Load, that call is logged and fails, as a control
// that cannot start would.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>

namespace velo {

class StandInControl final : public IOleObject,
                             public IOleInPlaceObject,
                             public IPersistStreamInit,
                             public IDispatch {
 public:
  // `object` is the name the log gives it: a literal that outlives it.
  explicit StandInControl(const char* object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD option) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject** data) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site,
                                   LONG, HWND parent, LPCRECT area) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* id) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR* type) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* extent) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;

  // IOleWindow and IOleInPlaceObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;

  // IPersist and IPersistStreamInit
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID interfaceId, LCID,
                                   WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*,
                                   UINT* argumentError) override;

 private:
  ~StandInControl();

  // One line of the log: the object's name, then these words.
  void Log(const std::string& words) const;
  void LogAmbient(DISPID id, const char* name) const;
  // The in-place steps a control takes with its site; false (logged) at the
  // first the site refuses.
  bool ActivateInPlace(IOleClientSite* site);
  void DeactivateInPlace();

  const char* object_;
  LONG references_ = 1;
  IOleClientSite* clientSite_ = nullptr;
  IOleInPlaceSite* inPlaceSite_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace velo
