#include "skin/DispatchObject.h"

#include <oleauto.h>

#include <algorithm>
#include <vector>

namespace velo {

namespace {

BSTR ToBstr(const std::string& text) {
  int length = MultiByteToWideChar(CP_ACP, 0, text.data(),
                                   static_cast<int>(text.size()), nullptr, 0);
  BSTR result = SysAllocStringLen(nullptr, length);
  if (result && length)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        result, length);
  return result;
}

VARIANTARG LongArgument(int32_t number) {
  VARIANTARG argument;
  VariantInit(&argument);
  argument.vt = VT_I4;
  argument.lVal = number;
  return argument;
}

VARIANTARG StringArgument(const std::string& text) {
  VARIANTARG argument;
  VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = ToBstr(text);
  return argument;
}

}  // namespace

void DispatchObject::Call(DISPID id, const std::string& text) {
  VARIANTARG arguments[] = {StringArgument(text)};
  Invoke(id, arguments, 1);
}

void DispatchObject::Call(DISPID id, int32_t number) {
  VARIANTARG arguments[] = {LongArgument(number)};
  Invoke(id, arguments, 1);
}

void DispatchObject::Call(DISPID id, int32_t number, const std::string& text) {
  VARIANTARG arguments[] = {LongArgument(number), StringArgument(text)};
  Invoke(id, arguments, 2);
}

void DispatchObject::CallBool(DISPID id, bool flag) {
  VARIANTARG argument;
  VariantInit(&argument);
  argument.vt = VT_BOOL;
  argument.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
  Invoke(id, &argument, 1);
}

void DispatchObject::Invoke(DISPID id, VARIANTARG* arguments, UINT count) {
  if (IDispatch* object = control_.Dispatch()) {
    // IDispatch takes its arguments last first.
    std::vector<VARIANTARG> reversed(arguments, arguments + count);
    std::reverse(reversed.begin(), reversed.end());
    DISPPARAMS parameters = {reversed.data(), nullptr, count, 0};
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                    &parameters, nullptr, nullptr, nullptr);
  }
  for (UINT i = 0; i < count; ++i) VariantClear(&arguments[i]);
}

}  // namespace velo
