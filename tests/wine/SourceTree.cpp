#include "SourceTree.h"

#include <windows.h>

namespace velo {

namespace {

// A Unix path as Wine names it for Windows programs; other paths as given.
std::string WindowsPath(const std::string& path) {
  typedef WCHAR*(CDECL * ToDos)(const char*);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  ToDos toDos = kernel ? reinterpret_cast<ToDos>(reinterpret_cast<void*>(
                             GetProcAddress(kernel, "wine_get_dos_file_name")))
                       : nullptr;
  WCHAR* dos = path[0] == '/' && toDos ? toDos(path.c_str()) : nullptr;
  if (!dos) return path;
  char converted[MAX_PATH * 2] = "";
  WideCharToMultiByte(CP_ACP, 0, dos, -1, converted, sizeof converted, nullptr,
                      nullptr);
  HeapFree(GetProcessHeap(), 0, dos);
  return converted;
}

}  // namespace

std::string SourcePath(const std::string& relative) {
  std::string self = __FILE__;
  std::string root = self.substr(0, self.rfind("tests"));
  return WindowsPath(root + relative);
}

}  // namespace velo
