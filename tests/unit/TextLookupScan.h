// Finds the program's text lookups in its C++ sources: every call of
// LoadText, SetControlText, SetLocalizedText, Text and Load, and every
// StepTitle and UnitWord, with the key and the English text written there.
// Whatever names one of these next to a string literal but is not in the
// shape the program uses is reported, so no lookup goes unseen because it
// was written differently.
#pragma once

#include <string>
#include <vector>

namespace velo {

struct TextLookup {
  std::string key;
  std::string englishDefault;  // as the compiler sees it: escapes decoded
  std::string where;           // file and line
};

struct LookupScan {
  std::vector<TextLookup> lookups;
  // "file:line: what" for each mention with literals that was not understood.
  std::vector<std::string> notUnderstood;
};

// Scans one source file; `fileName` only names the findings.
LookupScan ScanTextLookups(const std::string& source,
                           const std::string& fileName);

}  // namespace velo
