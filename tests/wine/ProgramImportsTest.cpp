// What Velocine.exe asks the loader for before any of its code runs. Every
// DLL it imports is loaded and started with the process, before the main
// window can show; the shell alone costs about as much as the rest of the
// start-up, so the program loads it when the web link is clicked.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "ProgramRun.h"

namespace velo {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The DLLs the program file imports, in lower case; empty when the file
// cannot be mapped as an image.
std::vector<std::string> ImportsOf(const std::string& program) {
  std::vector<std::string> names;
  HMODULE image = LoadLibraryExA(program.c_str(), nullptr,
                                 DONT_RESOLVE_DLL_REFERENCES);
  if (!image) return names;
  const BYTE* base = reinterpret_cast<const BYTE*>(image);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const IMAGE_NT_HEADERS* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress != 0) {
    for (const IMAGE_IMPORT_DESCRIPTOR* entry =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
                 base + directory.VirtualAddress);
         entry->Name != 0; ++entry)
      names.push_back(Lower(reinterpret_cast<const char*>(base + entry->Name)));
  }
  FreeLibrary(image);
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(ProgramImports, TheShellIsNotLoadedWithTheProgram) {
  std::string program = ProgramUnderTest();
  if (program.empty()) GTEST_SKIP() << "VELO_EXE is not set";
  std::vector<std::string> imports = ImportsOf(program);
  // The reading itself works: the program cannot start without these.
  ASSERT_TRUE(Contains(imports, "kernel32.dll"));
  EXPECT_TRUE(Contains(imports, "comctl32.dll"));
  for (const char* shell : {"shell32.dll", "shlwapi.dll"})
    EXPECT_FALSE(Contains(imports, shell)) << shell << " is imported";
}

}  // namespace
}  // namespace velo
