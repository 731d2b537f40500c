// A Windows INI file read the way GetPrivateProfileStringA reads one, so a
// language file gives the same texts here as the system's own reader would:
// - a line ends at CR or LF; blanks (0x09-0x0D, 0x1A, 0x20) at both of its
//   ends are dropped, and blank lines are skipped;
// - "[name]" opens a section: the name runs to the last "]" on the line and
//   loses its blanks; a line that starts with "[" but has no "]" is an
//   ordinary line;
// - any other line is key=value, split at the first "=", with the blanks
//   around the "=" dropped; a line without "=" is a key without a value;
// - lines before the first section belong to a section named "";
// - section and key names compare without case; only the first section of
//   a name is searched, and in it the first key of the name decides (a key
//   without "=" gives the default);
// - ";" has no meaning of its own: a comment line is a key nobody asks for;
// - a name or value ends at a NUL byte, if the file holds one.
// The reader works on bytes: it gives the system's results for any text in
// a single-byte code page and for ASCII section and key names in any.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace velo {

// What became of an attempt to read a file. The reader treats a file that
// does not exist as an empty one; one that exists but cannot be opened (a
// missing folder, no rights, a directory) gets the default copied as given.
enum class FileState { kRead, kNotFound, kNotOpened };

struct FileContents {
  FileState state = FileState::kNotFound;
  std::string bytes;  // the whole file, when kRead
};

class IniFile {
 public:
  explicit IniFile(FileContents file) : file_(std::move(file)) {}

  // The value of `key` in `section`, or `fallback` when the file, the
  // section or the key is missing, as GetPrivateProfileStringA leaves it in
  // a buffer of `bufferSize` characters: at most bufferSize - 1 of them.
  // Section and key lose their blanks at both ends. A value or default
  // wrapped in matching quotes ("..." or '...') loses them; the default
  // loses its trailing spaces first.
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, size_t bufferSize) const;

 private:
  FileContents file_;
};

}  // namespace velo
