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
#include "tuning/ProbeHost.h"
#include "tuning/Recommendations.h"

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

// Why no MTU came out of a search, for the log.
const char* WhyNotFound(MtuSearchEnd end) {
  switch (end) {
    case kMtuNoAnswer:
      return "it does not answer pings";
    case kMtuEveryAnswers:
      return "every size answers, so the path cannot be told";
    case kMtuCannotPing:
      return "this Windows cannot send pings";
    case kMtuHostUnknown:
      return "the host is not known";
    default:
      return "the search stopped";
  }
}

// /findmtu: the MTU found, 0 when none was, and the log's words on it.
int32_t MeasuredMtu(const CommandLine& command, CommandMachine& machine,
                    int32_t typeMtu, std::string* said) {
  const std::string host =
      command.mtuHost.empty() ? DnsServerOf(machine.registry, machine.family)
                              : command.mtuHost;
  MtuSearchResult result{kMtuHostUnknown, 0, 0};
  if (!host.empty())
    result = machine.findMtu ? machine.findMtu(host)
                             : MtuSearchResult{kMtuCannotPing, 0, 0};
  if (result.end == kMtuFound) {
    *said = " MTU " + std::to_string(result.mtu) + " found towards " + host +
            " in " + std::to_string(result.probes) + " probes.";
    return result.mtu;
  }
  *said = (host.empty() ? " No MTU found: no host given and no DNS server "
                          "set"
                        : " No MTU found towards " + host + " (" +
                              WhyNotFound(result.end) + ")") +
          "; used " + std::to_string(typeMtu) + ".";
  return 0;
}

CommandResult Set(const CommandLine& command, CommandMachine& machine) {
  // A backup that cannot be looked at may hold the originals: a new one
  // would record the tuned values in their place.
  const BackupPresence backup = LookForBackup(machine.registry);
  if (backup == kBackupUnknown)
    return Result(kExitBackupUnreadable,
                  "the backup of the original settings cannot be read; " +
                      machine.texts.Load(TextId::NoBackupNoChange));
  // A backup present keeps its originals, as a second Finish does: a script
  // run twice must not record its own values as the originals. Only
  // /overwrite takes today's values as the new originals.
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
  const int32_t measuredMtu =
      command.findMtu
          ? MeasuredMtu(command, machine,
                        RecommendedMtu(command.connectionType), &mtuSaid)
          : 0;
  RecommendEverything(machine.family, machine.limits, command.connectionType,
                      record, measuredMtu);
  int32_t modemFound = 0;
  // As the wizard, which looks for a modem when dial-up is chosen.
  if (command.connectionType == kDialUp && !command.noModem)
    DetectBoostableModem(machine.registry, machine.family, modemFound);
  const ApplyOutcome applied =
      ApplySettings(machine.registry, machine.family, record, modemFound);
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
  // Done, with the MTU and MSS it had nowhere to write named in the log.
  return Result(kExitDone,
                BoostedMessage(machine.texts, applied) + mtuSaid +
                    (noted ? "" : " Who holds the backup could not be noted."));
}

// Where this account has no backup another may hold one: its name, or that
// the note cannot be read, tells the script more than "no backup".
CommandResult NoBackupHere(CommandMachine& machine, const char* noBackup) {
  BackupHolder holder;
  switch (ReadBackupHolder(machine.registry, machine.self.account, &holder)) {
    case kNoteOfAnotherAccount:
      return Result(kExitBackupOfAnotherAccount,
                    "the backup is held by the account " + holder.account +
                        (holder.taken.empty() ? ""
                                              : ", taken " + holder.taken) +
                        "; run the command as that account");
    case kNoteUnreadable:
      return Result(kExitBackupUnreadable,
                    "there is no backup here, and the note of which account "
                    "holds it cannot be read");
    default:
      return Result(kExitNoBackup, noBackup);
  }
}

CommandResult Reset(CommandMachine& machine) {
  switch (RestoreBackup(machine.registry, machine.family).result) {
    case kNoBackup:
      return NoBackupHere(machine, "there is no backup to put back");
    case kRestoredAll:
      ForgetBackupHolder(machine.registry, machine.self.account);
      return Result(kExitDone, machine.texts.Load(TextId::ResetDone));
    case kRestoreIncomplete:
      break;
  }
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

std::string Escaped(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  for (char c : text) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\r')
      shown += "\\r";
    else if (c == '\n')
      shown += "\\n";
    else if (byte < 0x20 || byte == 0x7f)
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
  return stamp + "  Velocine " + Escaped(arguments) + "  exit " +
         std::to_string(result.exitCode) + ": " + Escaped(result.outcome) +
         (inTempFolder ? " (logged in the temporary folder)" : "") + "\r\n";
}

CommandResult RunCommand(const CommandLine& command, CommandMachine& machine) {
  if (!machine.windowsKnown)
    return Result(kExitUnsupportedWindows,
                  machine.texts.Load(TextId::VersionUnknown));
  if (machine.velocineRunning)
    return Result(kExitVelocineRunning,
                  "Velocine is open in another window; close it first");
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
