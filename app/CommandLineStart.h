// Velocine started with arguments: the command is carried out without a
// window, one line goes to the log, and the exit code tells a script what
// happened. Only the usage text and bad arguments show a message.
#pragma once

#include <string>

#include "app/CommandLine.h"

namespace velo {

// Returns the process's exit code (CommandExitCode).
int RunCommandLine(const CommandLine& command, const std::string& arguments);

}  // namespace velo
