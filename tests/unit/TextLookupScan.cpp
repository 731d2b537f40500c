#include "TextLookupScan.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace velo {

namespace {

enum class TokenKind { kName, kString, kOther };

struct Token {
  TokenKind kind;
  std::string text;  // a string's value, escapes decoded
  int line;
};

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Splits C++ source into names, string literals and other tokens; comments
// and preprocessor lines are dropped.
class Tokenizer {
 public:
  explicit Tokenizer(const std::string& source) : s_(source) {}

  std::vector<Token> Run() {
    bool lineStart = true;
    while (at_ < s_.size()) {
      char c = s_[at_];
      if (c == '\n') {
        ++line_;
        ++at_;
        lineStart = true;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++at_;
      } else if (lineStart && c == '#') {
        SkipDirective();
      } else {
        lineStart = false;
        Next();
      }
    }
    return tokens_;
  }

 private:
  bool Ahead(const char* text) const {
    return s_.compare(at_, std::strlen(text), text) == 0;
  }

  void Next() {
    char c = s_[at_];
    if (Ahead("//")) {
      while (at_ < s_.size() && s_[at_] != '\n') ++at_;
    } else if (Ahead("/*")) {
      size_t end = s_.find("*/", at_ + 2);
      end = end == std::string::npos ? s_.size() : end + 2;
      CountLines(at_, end);
      at_ = end;
    } else if (IsNameStart(c)) {
      ReadName();
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      ReadNumber();
    } else if (c == '"') {
      ReadString();
    } else if (c == '\'') {
      ReadQuoted('\'');  // a character literal: of no interest
    } else if (Ahead("::")) {
      Push(TokenKind::kOther, "::");
      at_ += 2;
    } else {
      Push(TokenKind::kOther, std::string(1, c));
      ++at_;
    }
  }

  void SkipDirective() {
    while (at_ < s_.size() && s_[at_] != '\n') {
      if (s_[at_] == '\\' && at_ + 1 < s_.size() && s_[at_ + 1] == '\n') {
        ++line_;
        ++at_;
      }
      ++at_;
    }
  }

  void ReadName() {
    size_t start = at_;
    while (at_ < s_.size() && IsNameChar(s_[at_])) ++at_;
    std::string name = s_.substr(start, at_ - start);
    bool quoteFollows = at_ < s_.size() && s_[at_] == '"';
    if (quoteFollows && (name == "L" || name == "u" || name == "U" || name == "u8")) {
      ReadString();
    } else if (quoteFollows && !name.empty() && name.back() == 'R' &&
               (name == "R" || name == "LR" || name == "uR" ||
                name == "UR" || name == "u8R")) {
      ReadRawString();
    } else {
      Push(TokenKind::kName, name);
    }
  }

  void ReadNumber() {
    while (at_ < s_.size()) {
      char c = s_[at_];
      bool exponentSign = (c == '+' || c == '-') && at_ > 0 &&
                          std::strchr("eEpP", s_[at_ - 1]) != nullptr;
      bool separator = c == '\'' && at_ + 1 < s_.size() && IsNameChar(s_[at_ + 1]);
      if (!IsNameChar(c) && c != '.' && !exponentSign && !separator) break;
      ++at_;
    }
  }

  // A literal between `quote`s from at_; returns its value.
  std::string ReadQuoted(char quote) {
    std::string value;
    ++at_;
    while (at_ < s_.size() && s_[at_] != quote && s_[at_] != '\n') {
      if (s_[at_] == '\\' && at_ + 1 < s_.size()) {
        ++at_;
        value += Escape();
      } else {
        value += s_[at_++];
      }
    }
    ++at_;
    return value;
  }

  void ReadString() {
    int line = line_;
    std::string value = ReadQuoted('"');
    tokens_.push_back(Token{TokenKind::kString, value, line});
  }

  void ReadRawString() {
    int line = line_;
    size_t open = s_.find('(', at_);
    if (open == std::string::npos) {
      at_ = s_.size();
      return;
    }
    std::string close = ")" + s_.substr(at_ + 1, open - at_ - 1) + "\"";
    size_t end = s_.find(close, open);
    if (end == std::string::npos) end = s_.size();
    std::string value = s_.substr(open + 1, end - open - 1);
    CountLines(at_, end);
    at_ = std::min(s_.size(), end + close.size());
    tokens_.push_back(Token{TokenKind::kString, value, line});
  }

  // The character an escape stands for; at_ is just past the backslash.
  char Escape() {
    char c = s_[at_++];
    switch (c) {
      case 'n': return '\n';
      case 't': return '\t';
      case 'r': return '\r';
      case 'a': return '\a';
      case 'b': return '\b';
      case 'f': return '\f';
      case 'v': return '\v';
      case 'x': {
        size_t start = at_;
        while (at_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[at_]))) ++at_;
        return static_cast<char>(std::strtol(s_.substr(start, at_ - start).c_str(), nullptr, 16));
      }
      default:
        if (c >= '0' && c <= '7') {
          size_t start = at_ - 1;
          while (at_ < s_.size() && at_ - start < 3 && s_[at_] >= '0' && s_[at_] <= '7') ++at_;
          return static_cast<char>(std::strtol(s_.substr(start, at_ - start).c_str(), nullptr, 8));
        }
        return c;  // \\ \" \' \?
    }
  }

  void CountLines(size_t from, size_t to) {
    for (size_t i = from; i < to && i < s_.size(); ++i)
      if (s_[i] == '\n') ++line_;
  }

  void Push(TokenKind kind, const std::string& text) {
    tokens_.push_back(Token{kind, text, line_});
  }

  const std::string& s_;
  size_t at_ = 0;
  int line_ = 1;
  std::vector<Token> tokens_;
};

// The lookup calls: how many arguments, and where the key and the English
// text stand among them.
struct CallShape {
  const char* name;
  size_t arguments;
  size_t key;
  size_t englishDefault;
};

const CallShape kCalls[] = {
    {"LoadText", 2, 0, 1},        {"Text", 2, 0, 1},
    {"Load", 2, 0, 1},            {"SetControlText", 4, 0, 2},
    {"SetLocalizedText", 3, 0, 2},
};

// The records of keys and English texts: how many key and text pairs
// their initializer holds.
struct RecordShape {
  const char* name;
  size_t pairs;
};

const RecordShape kRecords[] = {{"StepTitle", 2}, {"UnitWord", 1}};

typedef std::vector<Token> Tokens;

bool IsOther(const Tokens& tokens, size_t i, const char* text) {
  return i < tokens.size() && tokens[i].kind == TokenKind::kOther &&
         tokens[i].text == text;
}

bool Opens(const Token& token) {
  return token.kind == TokenKind::kOther &&
         (token.text == "(" || token.text == "[" || token.text == "{");
}

bool Closes(const Token& token) {
  return token.kind == TokenKind::kOther &&
         (token.text == ")" || token.text == "]" || token.text == "}");
}

// The comma-separated items between the bracket at `open` and its match;
// `end` is set past the match (tokens.size() when there is none).
std::vector<Tokens> Items(const Tokens& tokens, size_t open, size_t* end) {
  std::vector<Tokens> items(1);
  int depth = 0;
  size_t i = open + 1;
  for (; i < tokens.size(); ++i) {
    const Token& token = tokens[i];
    if (Closes(token) && depth == 0) break;
    if (Opens(token)) ++depth;
    if (Closes(token)) --depth;
    if (depth == 0 && IsOther(tokens, i, ","))
      items.emplace_back();
    else
      items.back().push_back(token);
  }
  *end = i < tokens.size() ? i + 1 : tokens.size();
  if (items.size() == 1 && items[0].empty()) items.clear();
  return items;
}

bool HasString(const Tokens& tokens, size_t from, size_t to) {
  for (size_t i = from; i < to && i < tokens.size(); ++i)
    if (tokens[i].kind == TokenKind::kString) return true;
  return false;
}

// The value of an item made of string literals only (adjacent ones join).
bool LiteralValue(const Tokens& item, std::string* value) {
  if (item.empty()) return false;
  value->clear();
  for (const Token& token : item) {
    if (token.kind != TokenKind::kString) return false;
    *value += token.text;
  }
  return true;
}

class Scanner {
 public:
  Scanner(const Tokens& tokens, const std::string& fileName)
      : tokens_(tokens), fileName_(fileName) {}

  LookupScan Run() {
    for (size_t i = 0; i < tokens_.size(); ++i) {
      if (tokens_[i].kind != TokenKind::kName) continue;
      // A qualified name is a definition or another class's function.
      if (i > 0 && IsOther(tokens_, i - 1, "::")) continue;
      for (const CallShape& call : kCalls)
        if (tokens_[i].text == call.name && IsOther(tokens_, i + 1, "("))
          Call(i, call);
      for (const RecordShape& record : kRecords)
        if (tokens_[i].text == record.name) Record(i, record);
    }
    return scan_;
  }

 private:
  std::string Where(size_t i) const {
    return fileName_ + ":" + std::to_string(tokens_[i].line);
  }

  void NotUnderstood(size_t i, const std::string& what) {
    scan_.notUnderstood.push_back(Where(i) + ": " + what);
  }

  // Items at `key` and `text` as a lookup; false unless both are literals.
  bool Take(const std::vector<Tokens>& items, size_t key, size_t text,
            size_t at) {
    TextLookup lookup;
    if (!LiteralValue(items[key], &lookup.key) ||
        !LiteralValue(items[text], &lookup.englishDefault))
      return false;
    lookup.where = Where(at);
    scan_.lookups.push_back(lookup);
    return true;
  }

  void Call(size_t i, const CallShape& call) {
    size_t end = 0;
    std::vector<Tokens> arguments = Items(tokens_, i + 1, &end);
    // Without literals it passes a key and text on (or declares them).
    if (!HasString(tokens_, i + 2, end)) return;
    if (arguments.size() != call.arguments ||
        !Take(arguments, call.key, call.englishDefault, i))
      NotUnderstood(i, std::string(call.name) +
                           " without a literal key and English text");
  }

  // `Record name = { key, text, ... };` with literals only; anything else
  // that puts a literal next to the record's name is not understood.
  void Record(size_t i, const RecordShape& record) {
    size_t end = Span(i + 1);
    if (!HasString(tokens_, i + 1, end)) return;
    size_t open = i + 2;
    if (IsOther(tokens_, open, "=")) ++open;
    bool shaped = tokens_[i + 1].kind == TokenKind::kName &&
                  IsOther(tokens_, open, "{");
    size_t close = 0;
    std::vector<Tokens> items;
    if (shaped) items = Items(tokens_, open, &close);
    shaped = shaped && close == end && items.size() == 2 * record.pairs;
    for (size_t pair = 0; shaped && pair < record.pairs; ++pair)
      shaped = Take(items, 2 * pair, 2 * pair + 1, i);
    if (!shaped)
      NotUnderstood(i, std::string(record.name) +
                           " not written as name = {key, text, ...}");
  }

  // The end of the declaration or parameter that starts at `from`: the
  // first ";" or "," outside brackets, or a bracket closed that it did not
  // open.
  size_t Span(size_t from) const {
    int depth = 0;
    for (size_t i = from; i < tokens_.size(); ++i) {
      if (Opens(tokens_[i])) ++depth;
      if (Closes(tokens_[i]) && --depth < 0) return i;
      if (depth == 0 && (IsOther(tokens_, i, ";") || IsOther(tokens_, i, ",")))
        return i;
    }
    return tokens_.size();
  }

  const Tokens& tokens_;
  const std::string& fileName_;
  LookupScan scan_;
};

}  // namespace

LookupScan ScanTextLookups(const std::string& source,
                           const std::string& fileName) {
  Tokens tokens = Tokenizer(source).Run();
  return Scanner(tokens, fileName).Run();
}

}  // namespace velo
