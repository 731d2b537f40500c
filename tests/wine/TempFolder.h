// A folder of one test's own under the Windows temp folder; it goes, with
// every file and folder made through it, when the object does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velo {

class TempFolder {
 public:
  explicit TempFolder(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length > MAX_PATH) return;
    // A run that was killed leaves its folder behind: take the next name.
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string path = std::string(temp, length) + name + "." +
                         std::to_string(GetCurrentProcessId()) + "." +
                         std::to_string(attempt);
      if (CreateDirectoryA(path.c_str(), nullptr)) {
        path_ = path;
        return;
      }
      if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
  }
  ~TempFolder() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it)
      if (!DeleteFileA(it->c_str())) RemoveDirectoryA(it->c_str());
    if (!path_.empty()) RemoveDirectoryA(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be made.
  const std::string& Path() const { return path_; }

  // Writes `bytes` to `relative` (its folder must exist); returns the full
  // path, or an empty one when the file could not be written whole.
  std::string Write(const std::string& relative, const std::string& bytes) {
    std::string full = path_ + "\\" + relative;
    HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    made_.push_back(full);
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                        &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size() ? full : std::string();
  }

  // Makes the folder `relative`; returns its full path, or an empty one.
  std::string MakeFolder(const std::string& relative) {
    std::string full = path_ + "\\" + relative;
    if (!CreateDirectoryA(full.c_str(), nullptr)) return std::string();
    made_.push_back(full);
    return full;
  }

 private:
  std::string path_;
  std::vector<std::string> made_;  // in the order made; removed in reverse
};

}  // namespace velo
