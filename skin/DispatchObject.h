// A hosted control of the skin component, called through its dispatch
// interface by DISPID. While the control is not hosted (the component is not
// installed) every call is a silent no-op.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <string>

#include "framework/HostedControl.h"

namespace velo {

class DispatchObject {
 public:
  explicit DispatchObject(const HostedControl& control) : control_(control) {}
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  void Call(DISPID id, const std::string& text);
  void Call(DISPID id, int32_t number);
  void Call(DISPID id, int32_t number, const std::string& text);
  void CallBool(DISPID id, bool flag);

 private:
  // Arguments in the order the method declares them.
  void Invoke(DISPID id, VARIANTARG* arguments, UINT count);

  const HostedControl& control_;
};

}  // namespace velo
