// A command from the command line carried out without a window: what it
// changes, the exit code a script gets and the outcome for the log.
#pragma once

#include <functional>
#include <string>

#include "app/CommandLine.h"
#include "lang/Texts.h"
#include "registry/Registry.h"
#include "store/BackupHolder.h"
#include "store/SettingsRecord.h"
#include "tuning/MtuSearch.h"

namespace velo {

// What a script learns from the exit code.
enum CommandExitCode {
  kExitDone = 0,
  kExitBadArguments = 1,
  kExitNoBackup = 2,
  // 3 is given no more: a /set over a backup keeps it and tunes.
  kExitNotAdministrator = 4,
  kExitWriteFailed = 5,      // /set undone, or /reset kept the backup
  kExitUnsupportedWindows = 6,
  kExitVelocineRunning = 7,
  kExitBackupUnreadable = 8,  // not taken (/set) or not read (/export)
  kExitFileNotWritten = 9,    // /export
  kExitNotUndone = 10,        // /set failed and left values changed: /reset
  kExitBackupOfAnotherAccount = 11,  // /reset, /export: run as its holder
  // /set /findmtu tuned with the type's MTU: none was measured.
  kExitMtuNotMeasured = 12,
  // The program's abnormal end (kEscapedExceptionExitCode) is 99.
};

// The machine a command runs on.
struct CommandMachine {
  Registry& registry;
  bool windowsKnown;
  WindowsFamily family;
  // What this Windows version reads and accepts.
  WindowsLimits limits;
  // Another Velocine shows its windows: a command would write under them.
  bool velocineRunning;
  // The messages the windows show, in the chosen language.
  const Texts& texts;
  // Writes the whole file; false when it could not.
  std::function<bool(const std::string& path, const std::string& bytes)>
      writeFile;
  // Measures the MTU of the path towards a host (/findmtu).
  std::function<MtuSearchResult(const std::string& host)> findMtu;
  // The account running the command, and the time, for the note of who
  // holds the backup.
  BackupHolder self;
};

struct CommandResult {
  int exitCode;
  std::string outcome;  // one line
};

// The line a run adds to the log, ended by CRLF. Control characters of the
// arguments and the outcome are shown escaped ("\\r", "\\n", "\\x1b"), so
// that no argument can write a line of its own; `inTempFolder` says that the
// log is not the one beside the program.
std::string CommandLogLine(const std::string& stamp,
                           const std::string& arguments,
                           const CommandResult& result, bool inTempFolder);

// Past this size the log starts afresh.
const unsigned long kLogSizeLimit = 1024 * 1024;

// The answer to arguments that are no command: exit 1, with what was wrong
// where the command line could tell.
CommandResult BadArguments(const CommandLine& command);

// Carries out /set, /reset or /export. The other actions are not commands
// that change anything: usage and bad arguments are answered by the caller.
CommandResult RunCommand(const CommandLine& command, CommandMachine& machine);

}  // namespace velo
