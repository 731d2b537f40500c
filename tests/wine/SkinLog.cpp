#include "SkinLog.h"

#include "ProgramRun.h"

#include <fstream>
#include <sstream>
#include <utility>

namespace velo {

namespace {

const uint32_t kLoadSkin = 0x60020001;
const uint32_t kSkinWindow = 0x60020006;
const uint32_t kSkinElement = 0x60020007;
const uint32_t kLoadSplash = 22;
const uint32_t kSplashDisplayTime = 19;
const uint32_t kSplashShown = 15;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  for (;;) {
    std::string::size_type space = line.find(' ', start);
    fields.push_back(line.substr(start, space - start));
    if (space == std::string::npos) return fields;
    start = space + 1;
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool ParseHex(const std::string& text, uint32_t* number) {
  if (text.empty() || text.size() > 8) return false;
  *number = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return false;
    *number = *number * 16 + static_cast<uint32_t>(digit);
  }
  return true;
}

bool Unescape(const std::string& field, std::string* text) {
  text->clear();
  for (std::string::size_type i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      *text += field[i];
      continue;
    }
    if (i + 2 >= field.size()) return false;
    int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
    if (high < 0 || low < 0) return false;
    *text += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

std::string Utf8FromAnsi(const std::string& text) {
  if (text.empty()) return text;
  int count = static_cast<int>(text.size());
  int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0);
  std::wstring unicode(wide, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), count, &unicode[0], wide);
  int bytes = WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, nullptr,
                                  0, nullptr, nullptr);
  std::string result(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, unicode.data(), wide, &result[0], bytes,
                      nullptr, nullptr);
  return result;
}

LoggedSkinCall Call(const char* object, uint32_t dispid,
                    std::vector<std::string> arguments) {
  LoggedSkinCall call;
  call.object = object;
  call.dispid = dispid;
  call.arguments = std::move(arguments);
  return call;
}

std::string Long(int32_t number) { return "I4:" + std::to_string(number); }
std::string Text(const std::string& ansi) { return "BSTR:" + Utf8FromAnsi(ansi); }
std::string Window(HWND window) { return Long(HandleToLong(window)); }

}  // namespace

std::ostream& operator<<(std::ostream& out, const LoggedSkinCall& call) {
  out << call.object << ' ' << std::hex << std::uppercase << call.dispid
      << std::dec << std::nouppercase;
  for (const std::string& argument : call.arguments) out << ' ' << argument;
  return out;
}

bool ParseSkinLogLine(const std::string& line, LoggedSkinCall* call) {
  std::vector<std::string> fields = Fields(line);
  if (fields.size() < 2 || fields[0].empty()) return false;
  LoggedSkinCall parsed;
  parsed.object = fields[0];
  if (!ParseHex(fields[1], &parsed.dispid)) return false;
  for (size_t i = 2; i < fields.size(); ++i) {
    std::string argument;
    if (fields[i].empty() || !Unescape(fields[i], &argument)) return false;
    parsed.arguments.push_back(argument);
  }
  *call = parsed;
  return true;
}

bool IsHostingLine(const std::string& line) {
  std::vector<std::string> fields = Fields(line);
  if (fields.size() < 2) return false;
  for (const std::string& field : fields)
    if (field.empty()) return false;
  std::string::size_type colons = fields[1].find("::");
  return colons != std::string::npos && colons > 0 &&
         colons + 2 < fields[1].size();
}

std::string SequenceLine(const LoggedSkinCall& call) {
  std::ostringstream line;
  line << call;
  return line.str();
}

SkinLog ReadSkinLog(const std::string& path) {
  SkinLog log;
  std::ifstream file(path.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    LoggedSkinCall call;
    if (IsHostingLine(line)) {
      log.hosting.push_back(line);
      log.sequence.push_back(line);
    } else if (ParseSkinLogLine(line, &call)) {
      log.calls.push_back(call);
      log.sequence.push_back(SequenceLine(call));
    } else {
      log.unreadable.push_back(line);
    }
  }
  return log;
}

LoggedSkinCall LoadSplashCall(const std::string& path) {
  return Call("splash", kLoadSplash, {Text(path)});
}

LoggedSkinCall SplashDisplayTimeCall(int32_t time) {
  return Call("splash", kSplashDisplayTime, {Long(time)});
}

LoggedSkinCall SplashShownCall(bool shown) {
  return Call("splash", kSplashShown, {shown ? "BOOL:true" : "BOOL:false"});
}

LoggedSkinCall LoadSkinCall(const std::string& path) {
  return Call("skin", kLoadSkin, {Text(path)});
}

LoggedSkinCall SkinWindowCall(HWND window) {
  return Call("skin", kSkinWindow, {Window(window)});
}

LoggedSkinCall SkinElementCall(HWND window, const std::string& element) {
  return Call("skin", kSkinElement, {Window(window), Text(element)});
}

SkinLogFile::SkinLogFile(const std::string& folderName) : folder_(folderName) {
  if (folder_.Path().empty()) return;
  std::string path = folder_.Path() + "\\calls.log";
  // Programs started from here inherit the variable; the stand-in reads it
  // at every call.
  if (SetEnvironmentVariableA("VELO_SKIN_LOG", path.c_str())) path_ = path;
}

SkinLogFile::~SkinLogFile() {
  SetEnvironmentVariableA("VELO_SKIN_LOG", nullptr);
  if (!path_.empty()) DeleteFileA(path_.c_str());
}

std::string ProgramFolder() {
  std::string program = ProgramUnderTest();
  return program.substr(0, program.rfind('\\'));
}

}  // namespace velo
