#include "framework/MessageBoundary.h"

#include <windows.h>

namespace velo {

void ShowEscapeReport(const std::string& report) {
  MessageBoxA(nullptr, report.c_str(), "Velocine",
              MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

}  // namespace velo
