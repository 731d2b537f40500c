// The fair floor for the start-up benchmark: a program that imports every
// DLL Velocine.exe imports (the shell is not among them: Velocine loads it
// when the web link is clicked), does the start-up work any program of its
// kind must do (the common controls registered, OLE started for the hosted
// controls) and shows the window Velocine shows, its main window's template,
// so that Velocine's ratio to it is the cost of its own work.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <winver.h>

#include "res/resource.h"

#include "FloorDialog.h"

namespace {

// Referenced so that the loader maps the DLLs Velocine.exe also imports
// before anything runs; the functions are not called.
void* volatile kImported[] = {
    reinterpret_cast<void*>(&RegOpenKeyExA),     // advapi32
    reinterpret_cast<void*>(&GetFileVersionInfoA),  // version
    reinterpret_cast<void*>(&SysAllocString),    // oleaut32
    reinterpret_cast<void*>(&GetStockObject),    // gdi32
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_USEREX_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  bool ole = SUCCEEDED(OleInitialize(nullptr));
  // Keeps the table, and with it the imports, in the program.
  if (kImported[0] == nullptr) return 1;
  RunFloorDialog(instance, IDD_MAIN);
  if (ole) OleUninitialize();
  return 0;
}
