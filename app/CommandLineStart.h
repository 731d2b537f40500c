// Velocine started with arguments: the command is carried out without a
// window, one line goes to the log, and the exit code tells a script what
// happened. Only /? shows a message, and only to a person at the desktop.
#pragma once

#include <string>

#include "app/CommandLine.h"

namespace velo {

// Returns the process's exit code (CommandExitCode).
int RunCommandLine(const CommandLine& command, const std::string& arguments);

// From here on an abnormal end of the program (kEscapedExceptionExitCode)
// adds its report to the log under these arguments, which must stay, instead
// of showing it in a window: a command run never waits for a click.
void LogAbnormalEnds(const char* arguments);

}  // namespace velo
