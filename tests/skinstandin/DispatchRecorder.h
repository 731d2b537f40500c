// One object of the stand-in: answers IDispatch method calls by logging
// them. Only plain method calls are logged; any other kind of call (property
// access, named arguments, an interface id other than IID_NULL) is refused,
// so it shows in the log as a missing line.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace velo {

class DispatchRecorder final : public IDispatch {
 public:
  // `object` is the name the log gives it: a literal that outlives it.
  explicit DispatchRecorder(const char* object);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

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
  ~DispatchRecorder();

  const char* object_;
  LONG references_ = 1;
};

}  // namespace velo
