#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextLookupScan.h"

namespace velo {
namespace {

// "key=text" for each lookup found, in source order.
std::vector<std::string> Found(const std::string& source) {
  std::vector<std::string> found;
  for (const TextLookup& lookup : ScanTextLookups(source, "f.cpp").lookups)
    found.push_back(lookup.key + "=" + lookup.englishDefault);
  return found;
}

std::vector<std::string> NotUnderstood(const std::string& source) {
  return ScanTextLookups(source, "f.cpp").notUnderstood;
}

TEST(TextLookupScanTest, ReadsEveryFormOfLookupWithItsKeyAndText) {
  EXPECT_EQ((std::vector<std::string>{
                "18=Velocine", "IDOK=OK", "IDC_A=Enable It?", "41=Done",
                "9=Range", "30=Step 1 of 6", "21=Step 1 of 8", "4=bytes"}),
            Found("void F() {\n"
                  "  SetWindowTextString(Hwnd(), app.LoadText(\"18\", \"Velocine\"));\n"
                  "  App().SetControlText(\"IDOK\", IDOK, \"OK\", Hwnd());\n"
                  "  SetLocalizedText(\"IDC_A\", IDC_A, \"Enable It?\");\n"
                  "  Alert(texts.Load(\"41\", \"Done\"), true);\n"
                  "  SetItemText(1, WithCurrentValue(Localized(), Text(\"9\", \"Range\")));\n"
                  "}\n"
                  "const StepTitle kTitle = {\"30\", \"Step 1 of 6\", \"21\",\n"
                  "                          \"Step 1 of 8\"};\n"
                  "const UnitWord kBytes{\"4\", \"bytes\"};\n"));
}

TEST(TextLookupScanTest, TextsAreTakenAsTheCompilerJoinsAndDecodesThem) {
  EXPECT_EQ((std::vector<std::string>{
                "43=backup.\nDo you \"want\" C:\\ \t*?", "1=(raw) \\n"}),
            Found("LoadText(\"4\" \"3\",\n"
                  "         \"backup.\\nDo you \"\n"
                  "         \"\\\"want\\\" C:\\\\ \\x09*?\");\n"
                  "Text(\"1\", R\"x((raw) \\n)x\");\n"));
}

TEST(TextLookupScanTest, PassesOverWhatOnlyForwardsDeclaresOrMentionsALookup) {
  const std::string source =
      "// LoadText(\"1\", \"in a comment\")\n"
      "/* Text(\"2\", \"in a block\n comment\") */\n"
      "#define X LoadText(\"3\", \"in a directive\")\n"
      "std::string LoadText(const std::string& key, const std::string& text);\n"
      "std::string CWizardPage::Text(const char* key, const char* text) const {\n"
      "  return Localized().Load(key, text);\n"
      "}\n"
      "RegValue v = RegValue::Text(\"4\");\n"
      "std::string Caption(const StepTitle& title, char c = '\"');\n"
      "std::string Was(const UnitWord& phrase = kWasSetTo) { return \"a\"; }\n"
      "struct UnitWord { const char* key; const char* englishDefault; };\n"
      "SetItemText(1, \"not a lookup\");\n";
  EXPECT_EQ(std::vector<std::string>(), Found(source));
  EXPECT_EQ(std::vector<std::string>(), NotUnderstood(source));
}

TEST(TextLookupScanTest, ReportsLiteralsNextToALookupInAnyOtherShape) {
  EXPECT_EQ((std::vector<std::string>{
                "f.cpp:1: LoadText without a literal key and English text",
                "f.cpp:2: Text without a literal key and English text",
                "f.cpp:3: SetControlText without a literal key and English text",
                "f.cpp:4: LoadText without a literal key and English text",
                "f.cpp:5: StepTitle not written as name = {key, text, ...}",
                "f.cpp:6: UnitWord not written as name = {key, text, ...}"}),
            NotUnderstood("LoadText(kKey, \"default\");\n"
                          "Text(\"k\", std::string(\"a\") + \"b\");\n"
                          "SetControlText(\"k\", 1, \"d\");\n"
                          "LoadText(cond ? \"1\" : \"2\", \"d\");\n"
                          "const StepTitle kTitles[] = {{\"1\", \"a\", \"2\", \"b\"}};\n"
                          "const UnitWord kUnit = {\"4\", \"bytes\", \"x\"};\n"));
}

}  // namespace
}  // namespace velo
