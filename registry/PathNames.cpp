#include "registry/PathNames.h"

#include <cctype>

namespace velo {

namespace {
int Fold(char c) { return std::toupper(static_cast<unsigned char>(c)); }
}  // namespace

bool NamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool NameLess(const std::string& a, const std::string& b) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    int x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

std::string FoldedName(const std::string& name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(Fold(c));
  return folded;
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace velo
