#include "app/CommandLine.h"

#include <cctype>
#include <vector>

#include "framework/IntegerText.h"

namespace velo {

namespace {

std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool ConnectionTypeNamed(const std::string& name, int32_t* type) {
  const struct {
    const char* name;
    ConnectionKind type;
  } kTypes[] = {{"dialup", kDialUp}, {"dsl", kDsl}, {"lan", kLan},
                {"cable", kCableModem}};
  for (const auto& known : kTypes)
    if (Lower(name) == known.name) {
      *type = known.type;
      return true;
    }
  return false;
}

CommandLine Bad(const std::string& why = std::string()) {
  CommandLine bad;
  bad.action = CommandLine::kBadArguments;
  bad.whyBad = why;
  return bad;
}

// The line's rate of /speed, or 0 when `word` is none.
int32_t LineSpeed(const std::string& word) {
  return WholeNumberWithin(word, kSlowestLineKbits, kFastestLineKbits);
}

}  // namespace

CommandLine ParseCommandLine(const std::string& arguments) {
  std::vector<std::string> words = SplitArguments(arguments);
  CommandLine command;
  if (words.empty()) return command;
  bool overwriteGiven = false, noModemGiven = false, findMtuGiven = false,
       speedGiven = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string word = Lower(words[i]);
    const bool hasNext = i + 1 < words.size();
    const bool first = command.action == CommandLine::kWindows;
    if (word == "/?" && first) {
      command.action = CommandLine::kUsage;
    } else if (word == "/set" && first && hasNext &&
               ConnectionTypeNamed(words[i + 1], &command.connectionType)) {
      command.action = CommandLine::kSet;
      ++i;
    } else if (word == "/reset" && first) {
      command.action = CommandLine::kReset;
    } else if (word == "/export" && first && hasNext && !words[i + 1].empty() &&
               words[i + 1][0] != '/') {
      // A switch is no file name: "/nomodem" would be a file at the root.
      command.action = CommandLine::kExport;
      command.file = words[++i];
    } else if (word == "/overwrite" && !overwriteGiven) {
      command.overwrite = overwriteGiven = true;
    } else if (word == "/nomodem" && !noModemGiven) {
      command.noModem = noModemGiven = true;
    } else if (word == "/findmtu" && !findMtuGiven) {
      command.findMtu = findMtuGiven = true;
      if (hasNext && words[i + 1].compare(0, 1, "/") != 0)
        command.mtuHost = words[++i];
    } else if (word == "/speed" && !speedGiven) {
      speedGiven = true;
      command.speedKbits = hasNext ? LineSpeed(words[++i]) : 0;
      if (command.speedKbits == 0)
        return Bad("/speed takes the line's speed in kbit/s, a whole number "
                   "from 1 to " + std::to_string(kFastestLineKbits));
    } else {
      return Bad();
    }
  }
  // The options belong to /set alone.
  if ((overwriteGiven || noModemGiven || findMtuGiven || speedGiven) &&
      command.action != CommandLine::kSet)
    return Bad();
  // The window that fills the line needs the round trip the search measures.
  if (speedGiven && !findMtuGiven)
    return Bad("/speed goes with /findmtu, which measures the round trip");
  return command;
}

}  // namespace velo
