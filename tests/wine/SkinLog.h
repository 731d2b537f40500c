// Reading the stand-in skin component's log (format: skinstandin/CallLog.h)
// and spelling the calls that the program is expected to make in its terms.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace velo {

struct LoggedSkinCall {
  std::string object;  // "skin" or "splash"
  uint32_t dispid = 0;
  // "TYPE:value" in the order the method declares them, texts decoded to
  // UTF-8: "I4:131234", "BSTR:Small Button", "BOOL:false".
  std::vector<std::string> arguments;

  bool operator==(const LoggedSkinCall& other) const {
    return object == other.object && dispid == other.dispid &&
           arguments == other.arguments;
  }
};

// Object, DISPID in hex and the decoded arguments, for failure messages.
std::ostream& operator<<(std::ostream& out, const LoggedSkinCall& call);

// False when the line is not a call: too few fields, a DISPID that is not
// hexadecimal, or a broken %XX escape.
bool ParseSkinLogLine(const std::string& line, LoggedSkinCall* call);

// True for a line of the hosting protocol: object, Interface::Method, then
// words, none of them empty.
bool IsHostingLine(const std::string& line);

struct SkinLog {
  std::vector<LoggedSkinCall> calls;     // method calls, in their order
  std::vector<std::string> hosting;     // hosting lines, in their order
  // Every line that is either, in the order of the log: hosting lines as
  // they are, method calls as the stream operator spells them.
  std::vector<std::string> sequence;
  std::vector<std::string> unreadable;  // lines that are neither
};

// A method call as the sequence spells it.
std::string SequenceLine(const LoggedSkinCall& call);

// The log at `path`; an absent file is an empty log.
SkinLog ReadSkinLog(const std::string& path);

// The calls the program should make, with its own (ANSI) texts.
LoggedSkinCall LoadSplashCall(const std::string& path);
LoggedSkinCall SplashDisplayTimeCall(int32_t time);
LoggedSkinCall SplashShownCall(bool shown);
LoggedSkinCall LoadSkinCall(const std::string& path);
LoggedSkinCall SkinWindowCall(HWND window);
LoggedSkinCall SkinElementCall(HWND window, const std::string& element);

// Where the stand-in logs the calls of the programs started while this
// exists: VELO_SKIN_LOG names a file in a folder of its own. The variable and
// the file go when this does.
class SkinLogFile {
 public:
  explicit SkinLogFile(const std::string& folderName);
  ~SkinLogFile();
  SkinLogFile(const SkinLogFile&) = delete;
  SkinLogFile& operator=(const SkinLogFile&) = delete;

  // Empty when the folder or the variable could not be made.
  const std::string& Path() const { return path_; }
  SkinLog Read() const { return ReadSkinLog(path_); }

 private:
  TempFolder folder_;
  std::string path_;
};

// The folder Velocine.exe lies in, where it looks for its skin files.
std::string ProgramFolder();

}  // namespace velo
