#include "SetupUnderTest.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include "BoundedWait.h"
#include "ChildProcess.h"

namespace velo {

bool RunAndWait(const std::string& command, DWORD* exitCode,
                int milliseconds) {
  ChildProcess process(command);
  bool ended = process.WaitForExit(milliseconds);
  if (ended) GetExitCodeProcess(process.Handle(), exitCode);
  return ended;
}

namespace {

// Whether a process that `parent` started still runs; a list of processes
// that cannot be had counts as yes, so that the wait goes on.
bool ChildRuns(DWORD parent) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found;
       more = Process32Next(snapshot, &entry))
    found = entry.th32ParentProcessID == parent;
  CloseHandle(snapshot);
  return found;
}

}  // namespace

bool RunAndWaitForItsChildren(const std::string& command, DWORD* exitCode) {
  ChildProcess process(command);
  if (!process.WaitForExit(60000)) return false;
  GetExitCodeProcess(process.Handle(), exitCode);
  // The process object is held until then, so its id is not taken again.
  return WaitFor([&] { return !ChildRuns(process.Id()); }, 30000);
}

std::string DefaultFolder() {
  return ReadValue(HKEY_LOCAL_MACHINE,
                   "Software\\Microsoft\\Windows\\CurrentVersion",
                   "ProgramFilesDir") + "\\Velocine";
}

std::string StartMenuPrograms() {
  char path[MAX_PATH] = "";
  return SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, FALSE) ? path
                                                                       : "";
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read,
                nullptr))
    read = 0;
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

std::vector<std::string> FilesIn(const std::string& folder,
                                 const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string LanguageFileSays(const std::string& path, const char* key) {
  char text[128] = "";
  GetPrivateProfileStringA("Lanvora", key, "", text, sizeof text, path.c_str());
  return text;
}

namespace {

void ReplaceAll(std::string* text, const std::string& what,
                const std::string& with) {
  for (size_t at = text->find(what); at != std::string::npos;
       at = text->find(what, at + with.size()))
    text->replace(at, what.size(), with);
}

// The text `key` gives in a language file of NSIS's at `path` (UTF-8, with
// either line end): the line under "# ^key" in an .nlf, the quoted text
// after " key " in an .nsh.
std::string LangFileText(const std::string& path, const std::string& key) {
  std::string file = ReadWholeFile(path);
  ReplaceAll(&file, "\r", "");
  bool nlf = key[0] == '^';
  size_t at = file.find(nlf ? "# " + key + "\n" : " " + key + " ");
  if (at == std::string::npos) return std::string();
  size_t begin = nlf ? file.find('\n', at) + 1 : file.find('"', at) + 1;
  size_t end = file.find('\n', begin);
  if (!nlf) end = file.rfind('"', end);
  return end == std::string::npos || end < begin
             ? std::string()
             : file.substr(begin, end - begin);
}

std::string Utf8ToAnsi(const std::string& utf8) {
  wchar_t wide[2000] = L"";
  char ansi[4000] = "";
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 2000);
  WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr);
  return ansi;
}

}  // namespace

std::string SetupText(const std::string& ownTexts, const std::string& nsisTexts,
                      const std::string& language, const std::string& key) {
  std::string text;
  if (key[0] != '^')
    text = LangFileText(ownTexts + "\\" + language + ".nsh", key);
  if (text.empty())
    text = LangFileText(
        nsisTexts + "\\" + language + (key[0] == '^' ? ".nlf" : ".nsh"), key);
  ReplaceAll(&text, "$(^NameDA)", "Velocine");
  ReplaceAll(&text, "$(^Name)", "Velocine");
  ReplaceAll(&text, "$\\r", "\r");
  ReplaceAll(&text, "$\\n", "\n");
  return Utf8ToAnsi(text);
}

std::string ReadValue(HKEY root, const std::string& key,
                      const std::string& name, bool* found) {
  if (found) *found = false;
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return std::string();
  char text[1024] = "";
  DWORD size = sizeof text - 1, type = 0;
  LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::string();
  if (found) *found = true;
  return std::string(text, strnlen(text, size));
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

bool WriteValue(HKEY root, const std::string& key, const std::string& name,
                const std::string& text) {
  HKEY handle;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  LONG status = RegSetValueExA(handle, name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

void DeleteKeyTree(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) !=
      ERROR_SUCCESS)
    return;
  char child[MAX_PATH];
  while (RegEnumKeyA(handle, 0, child, sizeof child) == ERROR_SUCCESS)
    DeleteKeyTree(handle, child);
  RegCloseKey(handle);
  RegDeleteKeyA(root, key.c_str());
}

namespace {

void DeleteFolderTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteFolderTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

void RemoveInstallation(const std::string& folder) {
  std::string uninstaller = folder + "\\Uninstall.exe";
  DWORD exitCode = 0;
  // In place (_?=): run as users run it, the uninstaller hands its work to
  // a copy of itself that may still be removing the folder when the next
  // test installs there; in place it ends only when its work is done.
  if (FileExists(uninstaller))
    RunAndWait("\"" + uninstaller + "\" /S _?=" + folder, &exitCode);
  DeleteFolderTree(folder);
  DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Velocine");
  DeleteKeyTree(HKEY_LOCAL_MACHINE,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velocine");
  DeleteFolderTree(StartMenuPrograms() + "\\Velocine");
}

}  // namespace velo
