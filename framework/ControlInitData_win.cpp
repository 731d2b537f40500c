#include "framework/ControlInitData.h"

#include <windows.h>

namespace velo {

ControlInitData TemplateInitData(int templateId) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId),
                              kControlInitType);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return ControlInitData();
  return ControlInitData::Parse(static_cast<const uint8_t*>(data),
                                SizeofResource(module, found));
}

}  // namespace velo
