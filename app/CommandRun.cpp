#include "app/CommandRun.h"

#include "store/Apply.h"
#include "store/Backup.h"
#include "store/BackupExport.h"
#include "store/BackupHolder.h"
#include "store/BackupKey.h"
#include "store/ModemPortSpeed.h"
#include "store/RegistryLocations.h"
#include "store/Restore.h"
#include "tuning/ClosingMessage.h"
#include "tuning/LineWindow.h"
#include "tuning/ProbeHost.h"
#include "tuning/Recommendations.h"
#include "wizard/PageTexts.h"

namespace velo {

namespace {

// The messages hold line breaks; the log keeps one line per run.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

CommandResult Result(int exitCode, const std::string& outcome) {
  return CommandResult{exitCode, OneLine(outcome)};
}

// On the NT family only an administrator may change the TCP/IP values.
bool MayChangeTcpip(CommandMachine& machine) {
  if (machine.family != kFamilyNT) return true;
  RegHandle key = kRegNoHandle;
  RegStatus status = machine.registry.OpenKey(
      kHkeyLocalMachine, LocationsOf(kFamilyNT).tcpip.path, kAccessReadWrite,
      &key);
  if (status == kRegOk) machine.registry.CloseKey(key);
  return status != kRegAccessDenied;
}

// What ended a search that stopped answering, for the log.
const char* StoppedBy(ProbeAnswer answer) {
  switch (answer) {
    case kProbeNoAnswer:
      return "no answer";
    case kProbeUnreachable:
      return "unreachable";
    case kProbeTtlExpired:
      return "TTL expired";
    case kProbeNoResources:
      return "no resources";
    case kProbeTooBig:
      return "the path changed";
    default:
      return "a failure";
  }
}

// Why no MTU came out of a search, for the log.
std::string WhyNotFound(const MtuSearchResult& result) {
  const std::string reached =
      "sizes up to " + std::to_string(result.fits) + " came back";
  switch (result.end) {
    case kMtuNoAnswer:
      return "it does not answer pings";
    case kMtuEveryAnswers:
      return "every size answers, so the path cannot be told";
    case kMtuPathStopped:
      return std::string("it stopped answering: ") +
             StoppedBy(result.stoppedBy) + "; " + reached;
    case kMtuTooLong:
      return "the search took too long; " + reached;
    case kMtuCannotPing:
      return "this version of Windows cannot send pings";
    case kMtuHostUnknown:
      return "the host is not known";
    default:
      return "the search stopped";
  }
}

// What /findmtu measured: the MTU, 0 when none was found, and the round
// trip of its echoes, where any came back.
struct Measured {
  int32_t mtu = 0;
  bool roundTripMeasured = false;
  uint32_t roundTripMs = 0;
};

// /findmtu: what was measured, and the log's words on it.
Measured MeasuredPath(const CommandLine& command, CommandMachine& machine,
                      int32_t typeMtu, std::string* said) {
  Measured measured;
  const ProbeHost probe =
      command.mtuHost.empty()
          ? DefaultProbeHost(machine.registry, machine.family,
                             command.connectionType)
          : ProbeHost{command.mtuHost, false};
  const std::string& host = probe.host;
  const std::string used = "; used " + std::to_string(typeMtu);
  if (host.empty()) {
    *said = " No MTU found: no host given and no DNS server set" + used + ".";
    return measured;
  }
  // Measured towards the router of the user's own network, the search
  // would find the LAN's MTU, not the line's.
  if (probe.onOwnNetwork) {
    *said = " No MTU found: the DNS server " + host +
            " is on this computer's own network, not beyond the line" + used +
            ".";
    return measured;
  }
  const MtuSearchResult result = machine.findMtu
                                     ? machine.findMtu(host)
                                     : MtuSearchResult{kMtuCannotPing, 0, 0};
  const std::string took = std::to_string(result.probes) + " probes, " +
                           std::to_string(result.tookMs) + " ms";
  if (result.end == kMtuFound) {
    measured.mtu = result.mtu;
    *said = " MTU " + std::to_string(result.mtu) + " found towards " + host +
            " in " + took +
            (CappedByOwnMtu(result) ? ", this computer's own MTU" : "");
  } else {
    *said = " No MTU found towards " + host + " (" + WhyNotFound(result) +
            ", " + took + ")" + used;
  }
  measured.roundTripMeasured = result.roundTripSize > 0;
  measured.roundTripMs = result.roundTripMs;
  if (measured.roundTripMeasured)
    *said += "; " + FillPattern(machine.texts.Load(TextId::FindMtuRoundTrip),
                                std::to_string(result.roundTripMs), host);
  *said += ".";
  return measured;
}

// /speed: the window that fills the line over the round trip measured, in
// place of the connection type's, and the log's words on it.
std::string FillTheLine(const CommandLine& command, const Measured& measured,
                        const WindowsLimits& limits, SettingsRecord& record) {
  const std::string kbits = std::to_string(command.speedKbits) + " kbit/s";
  const LineWindow line =
      measured.roundTripMeasured
          ? RecommendLineWindow(limits, command.speedKbits,
                                measured.roundTripMs, record)
          : LineWindow();
  if (line.window == 0)
    return " No round trip measured to fill " + kbits +
           ": receive window " + std::to_string(record.NewRWIN) +
           " bytes, the connection type's.";
  return " Receive window " + std::to_string(line.window) + " bytes to fill " +
         kbits +
         (line.heldToLargest ? ", the largest this Windows is given" : "") +
         (line.needsScaling ? ", with window scaling" : "") + ".";
}

// Where this account has no backup another may hold one: its name, or that
// the note cannot be read, tells the script more than "no backup". A note
// that names this account names nothing here, and goes. False when no other
// account may hold it.
bool HeldElsewhere(CommandMachine& machine, CommandResult* result) {
  BackupHolder holder;
  switch (ReadBackupHolder(machine.registry, machine.self.account, &holder)) {
    case kNoteOfAnotherAccount:
      *result = Result(kExitBackupOfAnotherAccount,
                       "the backup is held by the account " + holder.account +
                           (holder.taken.empty() ? ""
                                                 : ", taken " + holder.taken) +
                           "; run the command as that account");
      return true;
    case kNoteUnreadable:
      *result = Result(kExitBackupUnreadable,
                       "there is no backup here, and the note of which "
                       "account holds it cannot be read");
      return true;
    case kNoteOfThisAccount: {
      StoreOutcome forgotten;
      ForgetBackupHolder(machine.registry, machine.self.account, forgotten);
      return false;
    }
    default:
      return false;
  }
}

CommandResult NoBackupHere(CommandMachine& machine, const char* noBackup) {
  CommandResult elsewhere{kExitDone, ""};
  return HeldElsewhere(machine, &elsewhere) ? elsewhere
                                            : Result(kExitNoBackup, noBackup);
}

CommandResult BackupNotRead(const std::string& consequence) {
  return Result(kExitBackupUnreadable,
                "the backup of the original settings cannot be read; " +
                    consequence);
}

CommandResult Set(const CommandLine& command, CommandMachine& machine) {
  // A backup that cannot be looked at may hold the originals: a new one
  // would record the tuned values in their place.
  const BackupPresence backup = LookForBackup(machine.registry);
  if (backup == kBackupUnknown)
    return BackupNotRead(machine.texts.Load(TextId::NoBackupNoChange));
  // A backup present keeps its originals, as a second Finish does: a script
  // run twice must not record its own values as the originals. Nor may this
  // account take as originals the values another account tuned. Only
  // /overwrite takes today's values as the new originals.
  CommandResult refused{kExitDone, ""};
  if (backup == kBackupAbsent && !command.overwrite &&
      HeldElsewhere(machine, &refused))
    return refused;
  // As the wizard, which looks for a modem when dial-up is chosen. A modem
  // that cannot be read may be one to raise: nothing is changed then.
  int32_t modemFound = 0;
  if (command.connectionType == kDialUp && !command.noModem &&
      !DetectBoostableModem(machine.registry, machine.family, modemFound)
           .Succeeded())
    return Result(kExitBackupUnreadable,
                  "the modems' settings cannot be read; " +
                      machine.texts.Load(TextId::NoBackupNoChange));
  SettingsRecord record;
  FoundFlags found;
  const bool takesBackup = backup == kBackupAbsent || command.overwrite;
  if (takesBackup && !BackupSettings(machine.registry, machine.family, record,
                                     found, machine.limits)
                          .Succeeded())
    return Result(kExitBackupUnreadable,
                  machine.texts.Load(TextId::NoBackupNoChange));
  const bool noted =
      !takesBackup || NoteBackupHolder(machine.registry, machine.self) == kRegOk;
  std::string mtuSaid;
  const Measured measured =
      command.findMtu
          ? MeasuredPath(command, machine,
                         RecommendedMtu(command.connectionType), &mtuSaid)
          : Measured();
  RecommendEverything(machine.family, machine.limits, command.connectionType,
                      record, measured.mtu);
  if (command.speedKbits > 0)
    mtuSaid += FillTheLine(command, measured, machine.limits, record);
  const ApplyOutcome applied =
      ApplySettings(machine.registry, machine.family, record, modemFound,
                    machine.limits);
  if (applied.backupNotRead)
    return BackupNotRead(machine.texts.Load(TextId::NoBackupNoChange));
  if (!applied.Succeeded() && applied.notPutBack.empty())
    return Result(kExitWriteFailed,
                  machine.texts.Load(TextId::NotFullyBoosted));
  if (!applied.Succeeded()) {
    std::string names;
    for (const std::string& name : applied.notPutBack)
      names += (names.empty() ? "" : ", ") + name;
    return Result(kExitNotUndone,
                  machine.texts.Load(TextId::NotFullyBoosted) +
                      " Not put back: " + names + "; /reset puts them back");
  }
  // Done, with the MTU and MSS it had nowhere to write named in the log; a
  // script hears apart that the type's MTU stands for one not measured.
  return Result(command.findMtu && measured.mtu == 0 ? kExitMtuNotMeasured
                                                    : kExitDone,
                BoostedMessage(machine.texts, applied) + mtuSaid +
                    (noted ? "" : " Who holds the backup could not be noted."));
}

CommandResult Reset(CommandMachine& machine) {
  const RestoreOutcome restored =
      RestoreBackup(machine.registry, machine.family, machine.self.account);
  switch (restored.result) {
    case kNoBackup:
      return NoBackupHere(machine, "there is no backup to put back");
    case kBackupNotRead:
      return BackupNotRead(machine.texts.Load(TextId::ResetFailed));
    case kRestoredAll:
      return Result(kExitDone, machine.texts.Load(TextId::ResetDone));
    case kRestoreIncomplete:
      break;
  }
  // Put back, all but the note of who holds the backup: it is kept with
  // the backup, for another try.
  if (restored.holderNoteKept)
    return Result(kExitWriteFailed,
                  machine.texts.Load(TextId::ResetFailed) +
                      " The settings are put back, but the note that this "
                      "account holds the backup could not be removed; the "
                      "backup is kept, /reset again removes both");
  return Result(kExitWriteFailed, machine.texts.Load(TextId::ResetFailed));
}

CommandResult Export(const CommandLine& command, CommandMachine& machine) {
  StoreOutcome outcome;
  BackupExport exported =
      ExportBackup(machine.registry, machine.family, outcome);
  if (exported.presence == kBackupAbsent)
    return NoBackupHere(machine, "there is no backup to export");
  if (exported.presence == kBackupUnknown)
    return Result(kExitBackupUnreadable,
                  "the backup of the original settings cannot be read");
  if (!outcome.Succeeded())
    return Result(kExitBackupUnreadable, "the backup could not be read whole");
  if (!machine.writeFile(command.file, exported.file.text))
    return Result(kExitFileNotWritten, command.file + " could not be written");
  std::string outcomeText = "the backup was written to " + command.file;
  for (const std::string& note : exported.file.leftOut)
    outcomeText += "; left out " + note;
  return Result(kExitDone, outcomeText);
}

// `text` with every byte that could be read as another shown escaped: line
// breaks and other control characters, and the backslash that starts an
// escape. In the arguments, which anyone may type, also the bytes from 0x80
// up (a script's bytes are of no known code page) and a space after a
// space, so that the first "  exit N:" of a line is the log's own; the
// outcome keeps the language file's words as they are.
std::string Escaped(const std::string& text, bool typed) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\r')
      shown += "\\r";
    else if (c == '\n')
      shown += "\\n";
    else if (c == '\\')
      shown += "\\\\";
    else if (byte < 0x20 || byte == 0x7f || (typed && byte >= 0x80) ||
             (typed && c == ' ' && i > 0 && text[i - 1] == ' '))
      shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    else
      shown += c;
  }
  return shown;
}

}  // namespace

std::string CommandLogLine(const std::string& stamp,
                           const std::string& arguments,
                           const CommandResult& result, bool inTempFolder) {
  return stamp + "  Velocine " + Escaped(arguments, true) + "  exit " +
         std::to_string(result.exitCode) + ": " +
         Escaped(result.outcome, false) +
         (inTempFolder ? " (logged in the temporary folder)" : "") + "\r\n";
}

CommandResult BadArguments(const CommandLine& command) {
  return Result(kExitBadArguments,
                "bad arguments" +
                    (command.whyBad.empty() ? "" : ": " + command.whyBad) +
                    "; Velocine /? shows the usage");
}

CommandResult RunCommand(const CommandLine& command, CommandMachine& machine) {
  if (!machine.windowsKnown)
    return Result(kExitUnsupportedWindows,
                  machine.texts.Load(TextId::VersionUnknown));
  if (machine.velocineRunning)
    return Result(kExitVelocineRunning,
                  "another Velocine is running on this machine, a window "
                  "or a command; nothing was changed");
  const bool changesTcpip = command.action == CommandLine::kSet ||
                           command.action == CommandLine::kReset;
  if (changesTcpip && !MayChangeTcpip(machine))
    return Result(kExitNotAdministrator,
                  "only an administrator may change the TCP/IP settings");
  switch (command.action) {
    case CommandLine::kSet:
      return Set(command, machine);
    case CommandLine::kReset:
      return Reset(machine);
    case CommandLine::kExport:
      return Export(command, machine);
    default:
      return Result(kExitBadArguments, "not a command");
  }
}

}  // namespace velo
