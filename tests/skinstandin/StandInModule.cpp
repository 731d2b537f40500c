// The DLL's entry points: a class factory for each class of the component.
#include "StandInModule.h"

#include <windows.h>
#include <objbase.h>

#include <new>

#include "CallLog.h"
#include "StandInControl.h"
#include "StandInClasses.h"

namespace velo {

namespace {

LONG moduleLocks = 0;

// Lives as long as the DLL; its references only keep the DLL loaded.
class ClassFactory : public IClassFactory {
 public:
  explicit ClassFactory(const StandInClass& served) : served_(served) {}

  const StandInClass& Served() const { return served_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override {
    if (!result) return E_POINTER;
    if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IClassFactory)) {
      *result = nullptr;
      return E_NOINTERFACE;
    }
    *result = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    LockModule();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    UnlockModule();
    return 1;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id,
                                           void** result) override {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    LogHostingCall(served_.name, "IClassFactory::CreateInstance");
    StandInControl* object = new (std::nothrow) StandInControl(served_.name);
    if (!object) return E_OUTOFMEMORY;
    HRESULT status = object->QueryInterface(id, result);
    object->Release();
    return status;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      LockModule();
    else
      UnlockModule();
    return S_OK;
  }

 private:
  const StandInClass& served_;
};

ClassFactory factories[] = {ClassFactory(kStandInClasses[0]),
                            ClassFactory(kStandInClasses[1])};
static_assert(sizeof factories / sizeof factories[0] ==
                  sizeof kStandInClasses / sizeof kStandInClasses[0],
              "one factory per class");

// The factory of the class, or null.
ClassFactory* FactoryOf(REFCLSID id) {
  wchar_t wide[40];
  char text[40];
  if (!StringFromGUID2(id, wide, 40) ||
      !WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr,
                           nullptr))
    return nullptr;
  for (ClassFactory& factory : factories)
    if (lstrcmpiA(text, factory.Served().classId) == 0) return &factory;
  return nullptr;
}

}  // namespace

void LockModule() { InterlockedIncrement(&moduleLocks); }
void UnlockModule() { InterlockedDecrement(&moduleLocks); }

}  // namespace velo

STDAPI DllGetClassObject(REFCLSID classId, REFIID id, void** result) {
  if (!result) return E_POINTER;
  *result = nullptr;
  velo::ClassFactory* factory = velo::FactoryOf(classId);
  if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->QueryInterface(id, result);
}

STDAPI DllCanUnloadNow() { return velo::moduleLocks == 0 ? S_OK : S_FALSE; }
