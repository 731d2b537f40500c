// The setup program under test (VELO_SETUP) and what it leaves on this
// machine: the folder it installs into, the values it writes, the uninstaller
// it runs. Every wait is bounded, so a setup that hangs fails the test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Environment.h"

namespace velo {

// Runs `command` and waits for it to end; false when it could not start or
// did not end within `milliseconds` (then it is ended). `exitCode` gets its
// exit code.
bool RunAndWait(const std::string& command, DWORD* exitCode,
                int milliseconds = 60000);

// Runs `command` as RunAndWait does, then waits until every process it
// started has ended too: an uninstaller run as users run it hands its work
// to a copy of itself and ends at once.
bool RunAndWaitForItsChildren(const std::string& command, DWORD* exitCode);

// Where setup installs by default: Program Files\Velocine.
std::string DefaultFolder();
// The current user's Start menu programs folder.
std::string StartMenuPrograms();

bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
// The names of the files in `folder` matching `pattern` ("*.ini").
std::vector<std::string> FilesIn(const std::string& folder,
                                 const std::string& pattern);

// What the language file at `path` says of itself under `key` ("Name",
// "CodePage"), read with the system's INI reader; empty when it does not.
std::string LanguageFileSays(const std::string& path, const char* key);

// What setup shows for `key` when it speaks `language` (NSIS's name of it,
// "German"), in this Windows's code page: setup's own line (`LangString
// key`) from `ownTexts`\<language>.nsh, else NSIS's translation of its
// standard pages from `nsisTexts`: the Modern UI's `key` from <language>.nsh,
// or, for a "^" key, the line under it in <language>.nlf. The product's name
// is filled in and "$\r$\n" becomes a line break. Empty when no file has it.
std::string SetupText(const std::string& ownTexts, const std::string& nsisTexts,
                      const std::string& language, const std::string& key);

// A string value; `found` says whether it exists.
std::string ReadValue(HKEY root, const std::string& key,
                      const std::string& name, bool* found = nullptr);
bool KeyExists(HKEY root, const std::string& key);
bool WriteValue(HKEY root, const std::string& key, const std::string& name,
                const std::string& text);
void DeleteKeyTree(HKEY root, const std::string& key);

// Runs the uninstaller of the copy in `folder` silently and waits until it
// has removed the program; then removes whatever is left, so the next test
// starts from a machine without Velocine.
void RemoveInstallation(const std::string& folder);

}  // namespace velo
