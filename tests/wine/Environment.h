// What the test scripts tell the Windows tests through the environment.
#pragma once

#include <windows.h>

#include <string>

namespace velo {

// The variable's text; empty when it is unset or longer than a path.
inline std::string EnvironmentText(const char* name) {
  char text[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
  return length > 0 && length < sizeof text ? text : "";
}

}  // namespace velo
