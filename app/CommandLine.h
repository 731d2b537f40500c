// What an administrator asks of Velocine on its command line: tune, reset
// or export without a window. An empty command line starts the windows.
#pragma once

#include <cstdint>
#include <string>

#include "store/SettingsRecord.h"
#include "tuning/LineWindow.h"

namespace velo {

struct CommandLine {
  enum Action {
    kWindows,       // no arguments: the main window, as always
    kUsage,         // /?
    kSet,  // /set TYPE [/overwrite] [/nomodem] [/findmtu [HOST] [/speed KBITS]]
    kReset,         // /reset
    kExport,        // /export FILE (a name that does not start with "/")
    kBadArguments,  // anything else
  };
  Action action = kWindows;
  int32_t connectionType = kDialUp;  // /set
  bool overwrite = false;            // /set: a backup that exists is replaced
  bool noModem = false;              // /set: the modem is left as it is
  bool findMtu = false;              // /set: the MTU is measured
  std::string mtuHost;               // /findmtu: towards it (empty: the DNS)
  // /speed: the line's rate in kbit/s, for the window that fills it over
  // the round trip /findmtu measures; 0 when not given.
  int32_t speedKbits = 0;
  std::string file;                  // /export
  // kBadArguments: what was wrong, where more can be said than that.
  std::string whyBad;
};

// Reads the arguments after the program's name. Arguments are separated by
// blanks; double quotes keep blanks inside one ("C:\My Files\a.reg").
// Switches and connection types are told apart without regard to case.
CommandLine ParseCommandLine(const std::string& arguments);

}  // namespace velo
