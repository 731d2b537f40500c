#include "lang/Win32LanguagePlatform.h"

#include <windows.h>

#include <cstdlib>
#include <memory>

namespace velo {

namespace {

// The bytes of an open file; empty when it cannot be read or held whole.
// The file is read into memory asked of the heap directly, which answers a
// size it cannot give with null instead of ending the program.
std::string ReadAll(HANDLE file) {
  DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > std::string().max_size())
    return std::string();
  std::unique_ptr<char, decltype(&std::free)> buffer(
      static_cast<char*>(std::malloc(size ? size : 1)), &std::free);
  if (!buffer) return std::string();
  DWORD done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!ReadFile(file, buffer.get() + done, size - done, &got, nullptr))
      return std::string();
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  return std::string(buffer.get(), done);
}

}  // namespace

FileContents Win32LanguagePlatform::ReadWholeFile(
    const std::string& path) const {
  FileContents file;
  // No FILE_SHARE_DELETE: Windows 95 refuses it.
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    file.state = GetLastError() == ERROR_FILE_NOT_FOUND ? FileState::kNotFound
                                                        : FileState::kNotOpened;
    return file;
  }
  file.state = FileState::kRead;
  file.bytes = ReadAll(handle);
  CloseHandle(handle);
  return file;
}

unsigned Win32LanguagePlatform::AnsiCodePage() const { return GetACP(); }

bool Win32LanguagePlatform::IsLeadByte(unsigned char byte) const {
  return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace velo
