#include "CallLog.h"

#include <oleauto.h>

#include <cstdio>
#include <new>

namespace velo {

namespace {

std::string Utf8(BSTR text) {
  int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return std::string();
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0,
                                  nullptr, nullptr);
  std::string result(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, &result[0], bytes, nullptr,
                      nullptr);
  return result;
}

std::string Escaped(const std::string& text) {
  std::string result;
  for (unsigned char c : text) {
    if (c > ' ' && c < 0x7F && c != '%') {
      result += static_cast<char>(c);
    } else {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      result += code;
    }
  }
  return result;
}

}  // namespace

std::string FormatValue(const VARIANT& argument) {
  switch (argument.vt) {
    case VT_I4:
      return "I4:" + std::to_string(argument.lVal);
    case VT_BSTR:
      return "BSTR:" + Escaped(Utf8(argument.bstrVal));
    case VT_BOOL:
      if (argument.boolVal == VARIANT_FALSE) return "BOOL:false";
      if (argument.boolVal == VARIANT_TRUE) return "BOOL:true";
      return "BOOL:" + std::to_string(argument.boolVal);
    default: {
      char type[16];
      std::snprintf(type, sizeof type, "VT%X", argument.vt);
      return type;
    }
  }
}

std::string FormatBytes(const std::vector<uint8_t>& bytes) {
  std::string text;
  for (uint8_t byte : bytes) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", byte);
    text += hex;
  }
  return text;
}

std::string FormatRect(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::string FormatCall(const char* object, DISPID id,
                       const DISPPARAMS& parameters) {
  char dispid[16];
  std::snprintf(dispid, sizeof dispid, "%lX", static_cast<unsigned long>(id));
  std::string line = std::string(object) + " " + dispid;
  // The caller passes the arguments last first.
  for (UINT i = parameters.cArgs; i-- > 0;)
    line += " " + FormatValue(parameters.rgvarg[i]);
  return line;
}

void LogHostingCall(const char* object, const std::string& words) {
  try {
    AppendToCallLog(std::string(object) + " " + words);
  } catch (const std::bad_alloc&) {
    // Left out on purpose: the tests read a missing line as a lost call.
  }
}

void AppendToCallLog(const std::string& line) {
  wchar_t path[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"VELO_SKIN_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string whole = line + "\n";
  DWORD written = 0;
  WriteFile(file, whole.data(), static_cast<DWORD>(whole.size()), &written,
            nullptr);
  CloseHandle(file);
}

}  // namespace velo
