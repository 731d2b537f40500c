// A COM object reached through IDispatch by DISPID. When its class is not
// registered (the component is not installed) every call is a silent no-op.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>

namespace velo {

class DispatchObject {
 public:
  explicit DispatchObject(const CLSID& classId) : classId_(classId) {}
  ~DispatchObject();
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  // Creates the object; false when its class is not available.
  bool Create();
  bool IsCreated() const { return object_ != nullptr; }

  void Call(DISPID id, const std::string& text);
  void Call(DISPID id, int32_t number);
  void Call(DISPID id, int32_t number, const std::string& text);
  void CallBool(DISPID id, bool flag);

 private:
  // Arguments in the order the method declares them.
  void Invoke(DISPID id, VARIANTARG* arguments, UINT count);

  CLSID classId_;
  IDispatch* object_ = nullptr;
  bool comStarted_ = false;
};

}  // namespace velo
