#include "lang/Win32LanguagePlatform.h"

#include <windows.h>

#include <new>

namespace velo {

namespace {

// The bytes of an open file; empty when it cannot be read or held whole.
std::string ReadAll(HANDLE file) {
  std::string bytes;
  DWORD size = GetFileSize(file, nullptr);
  if (size == INVALID_FILE_SIZE || size > bytes.max_size()) return bytes;
  try {
    bytes.resize(size);
  } catch (const std::bad_alloc&) {
    return bytes;
  }
  DWORD done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!ReadFile(file, &bytes[done], size - done, &got, nullptr))
      return std::string();
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  return bytes;
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

bool Win32LanguagePlatform::IsLeadByte(unsigned char byte) const {
  return IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace velo
