#include "app/CommandLineStart.h"

#include <windows.h>

#include "app/AppSettings.h"
#include "app/CommandRun.h"
#include "app/SingleInstance.h"
#include "app/ThisAccount.h"
#include "app/WindowsVersion.h"
#include "framework/MessageBoundary.h"
#include "pathmtu/PathMtuProber.h"
#include "lang/LanguageFileTexts.h"
#include "lang/Win32LanguagePlatform.h"
#include "registry/Win32Registry.h"

namespace velo {

namespace {

const char kLogName[] = "Velocine.log";

const char kUsage[] =
    "Velocine /set dialup|dsl|lan|cable [/overwrite] [/nomodem] "
    "[/findmtu [HOST] [/speed KBITS]]\n"
    "Velocine /reset\n"
    "Velocine /export FILE\n\n"
    "/set tunes the connection settings as the wizard recommends for that "
    "connection, after a backup of the original settings; a backup that "
    "exists is kept, and /overwrite replaces it with today's settings. "
    "/nomodem leaves the modem's port speed as it is. /findmtu measures the "
    "MTU with pings towards HOST (by default the DNS server) and uses it "
    "instead of the connection's; with /speed, the line's speed in kbit/s, "
    "the receive window is the one that fills the line over the round trip "
    "the pings measured.\n"
    "/reset puts back the original settings.\n"
    "/export writes the original settings to a file that regedit imports.\n\n"
    "No window opens: the exit code and the line added to Velocine.log in "
    "the program's folder tell the result.";

std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return std::string();
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string TempFolder() {
  char path[MAX_PATH];
  DWORD length = GetTempPathA(sizeof path, path);
  return length == 0 || length >= sizeof path ? std::string()
                                              : std::string(path, length);
}

// Whether `path` names a device (NUL, LPT1, a pipe) rather than a file on a
// disk: what is written there is gone, or printed.
bool IsDevice(const std::string& path) {
  HANDLE existing = CreateFileA(path.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  if (existing == INVALID_HANDLE_VALUE) return false;
  const bool device = GetFileType(existing) != FILE_TYPE_DISK;
  CloseHandle(existing);
  return device;
}

// A new empty file beside `path`, under a name no other file has, so that
// a rename moves nothing between disks and takes no one's file; empty when
// none can be made there.
std::string UnusedNameBeside(const std::string& path) {
  const size_t end = path.find_last_of("\\/:");
  const std::string folder =
      end == std::string::npos ? "." : path.substr(0, end + 1);
  char name[MAX_PATH];
  return GetTempFileNameA(folder.c_str(), "vel", 0, name) ? name
                                                          : std::string();
}

// Puts `from` in the place of `to`. 95/98/Me cannot replace in one call:
// there the old file steps aside under a name of its own, and comes back
// when the new one cannot take its place, so that one of the two is always
// there under the name.
bool MoveOver(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
    return true;
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  if (GetFileAttributesA(to.c_str()) == INVALID_FILE_ATTRIBUTES)
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
  const std::string aside = UnusedNameBeside(to);
  if (aside.empty() || !DeleteFileA(aside.c_str()) ||
      !MoveFileA(to.c_str(), aside.c_str()))
    return false;
  if (MoveFileA(from.c_str(), to.c_str())) {
    DeleteFileA(aside.c_str());
    return true;
  }
  MoveFileA(aside.c_str(), to.c_str());
  return false;
}

// Writes the whole file beside `path` and puts it in its place only once
// all of it is written: a full disk or a dropped share leaves the old file
// as it was, never part of one that regedit would import halfway. What is
// not a file on a disk is refused.
bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  if (IsDevice(path)) return false;
  const std::string partial = UnusedNameBeside(path);
  if (partial.empty()) return false;
  HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(partial.c_str());
    return false;
  }
  DWORD written = 0;
  bool whole = GetFileType(file) == FILE_TYPE_DISK &&
               WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                         &written, nullptr) &&
               written == bytes.size() && FlushFileBuffers(file);
  whole = CloseHandle(file) && whole && MoveOver(partial, path);
  if (!whole) DeleteFileA(partial.c_str());
  return whole;
}

// Adds `line` to the log, a plain file on a disk with one name: a device or
// a link to another file would take lines meant for the log. One grown past
// its limit starts afresh.
bool AppendLine(const std::string& path, const std::string& line) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  bool plain = GetFileType(file) == FILE_TYPE_DISK &&
               GetFileInformationByHandle(file, &information) &&
               information.nNumberOfLinks <= 1 &&
               !(information.dwFileAttributes &
                 (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  if (plain && (information.nFileSizeHigh != 0 ||
                information.nFileSizeLow > kLogSizeLimit))
    plain = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
            SetEndOfFile(file);
  DWORD written = 0;
  bool whole =
      plain &&
      SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written,
                nullptr) &&
      written == line.size();
  return CloseHandle(file) && whole;
}

// One line per run, in the program's folder or, where the user may not
// write there, in the temporary folder.
void AppendToLog(const std::string& arguments, const CommandResult& result) {
  const std::string stamp = LocalTimeStamp();
  const std::string folders[] = {ProgramFolder(), TempFolder()};
  for (const std::string& folder : folders)
    if (!folder.empty() &&
        AppendLine(folder + kLogName,
                   CommandLogLine(stamp, arguments, result,
                                  &folder != &folders[0])))
      return;
}

// Whether the process runs on the window station shown on the screen, where
// a person started it: a service, a deployment agent or a task run without
// anyone logged on runs on one that is not, and a box there would wait
// unseen. 95/98/Me have no window stations: there whoever runs a program
// sits at it.
bool StartedAtTheDesktop() {
  HMODULE user = GetModuleHandleA("user32.dll");
  typedef HWINSTA(WINAPI * GetStation)();
  typedef BOOL(WINAPI * GetInformation)(HANDLE, int, PVOID, DWORD, LPDWORD);
  GetStation getStation = reinterpret_cast<GetStation>(
      reinterpret_cast<void*>(GetProcAddress(user, "GetProcessWindowStation")));
  GetInformation getInformation =
      reinterpret_cast<GetInformation>(reinterpret_cast<void*>(
          GetProcAddress(user, "GetUserObjectInformationA")));
  if (!getStation || !getInformation) return true;
  HWINSTA station = getStation();
  USEROBJECTFLAGS flags = {};
  DWORD needed = 0;
  return station &&
         getInformation(station, UOI_FLAGS, &flags, sizeof flags, &needed) &&
         (flags.dwFlags & WSF_VISIBLE) != 0;
}

const char* g_runArguments = "";

void LogAbnormalEnd(const std::string& report) {
  std::string outcome = report;
  for (char& c : outcome)
    if (c == '\r' || c == '\n') c = ' ';
  AppendToLog(g_runArguments, CommandResult{kEscapedExceptionExitCode, outcome});
}

}  // namespace

void LogAbnormalEnds(const char* arguments) {
  g_runArguments = arguments;
  SetLibraryFailureReporter(&LogAbnormalEnd);
}

int RunCommandLine(const CommandLine& command, const std::string& arguments) {
  Win32Registry registry;
  AppSettings settings = ReadAppSettings(registry);
  Win32LanguagePlatform platform;
  LanguageFileTexts texts(settings.appPath, settings.language, platform);
  CommandResult result{kExitDone, "usage shown"};
  if (command.action == CommandLine::kBadArguments) {
    // A script that nobody watches must end: no box waits for a click.
    result = BadArguments(command);
  } else if (command.action == CommandLine::kUsage) {
    if (StartedAtTheDesktop())
      MessageBoxA(nullptr, kUsage, texts.Load(TextId::ProgramName).c_str(),
                  MB_OK | MB_ICONINFORMATION);
    else
      result.outcome = "usage not shown: no one sits at this desktop";
  } else {
    // Held while the command runs, so that a Velocine started meanwhile
    // waits its turn like any second copy.
    SingleInstance instance;
    CWindowsVersion version;
    WindowsFamily family = kFamilyNT;
    const bool windowsKnown = version.Classify(&family);
    CommandMachine machine{
        registry,
        windowsKnown,
        family,
        version.Limits(Winsock2Installed()),
        !instance.IsFirst(),
        texts,
        [](const std::string& path, const std::string& bytes) {
          return WriteWholeFile(path, bytes);
        },
        [](const std::string& host) {
          return PathMtuProber().Find(host, [](int32_t) { return true; });
        },
        ThisAccountNow()};
    result = RunCommand(command, machine);
  }
  AppendToLog(arguments, result);
  return result.exitCode;
}

}  // namespace velo
