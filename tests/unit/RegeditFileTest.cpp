// The registry file: each value written as regedit reads it back, and
// names that no line can hold left out with a note.
#include <gtest/gtest.h>

#include "registry/RegeditFile.h"

namespace velo {
namespace {

RegValue Bytes(RegType type, const std::string& bytes) {
  return RegValue{type, std::vector<uint8_t>(bytes.begin(), bytes.end())};
}

struct Case {
  const char* what;
  RegeditKey key;
  std::string values;  // the lines after the key's
  size_t leftOut;
};

TEST(RegeditFile, EachFormIsWrittenAsRegeditReadsIt) {
  const std::string k = "HKEY_LOCAL_MACHINE\\K";
  const Case cases[] = {
      {"a dword", {k, {{"MTU", RegValue::Dword(1492)}}},
       "\"MTU\"=dword:000005d4\r\n", 0},
      {"quotes and backslashes escaped",
       {k, {{"n\\\"", RegValue::Text("C:\\\"x\"")}}},
       "\"n\\\\\\\"\"=\"C:\\\\\\\"x\\\"\"\r\n", 0},
      {"a string with a line break as hex(1)",
       {k, {{"s", Bytes(kRegSz, std::string("a\n[B]\0", 6))}}},
       "\"s\"=hex(1):61,0a,5b,42,5d,00\r\n", 0},
      {"a 9x text padded with NULs as hex(1)",
       {k, {{"t", Bytes(kRegSz, std::string("1\0\0", 3))}}},
       "\"t\"=hex(1):31,00,00\r\n", 0},
      {"a short dword and a record broken over lines",
       {k, {{"d", Bytes(kRegDword, "\x01")},
            {"Properties", Bytes(kRegBinary, std::string(30, '\x11'))}}},
       "\"d\"=hex(4):01\r\n\"Properties\"=hex:11,11,11,11,11,11,11,11,11,11,"
       "11,11,11,11,11,11,11,11,11,11,\\\r\n  11,11,11,11,11,11,11,11,11,11\r\n",
       0},
      {"a value name holding a line break",
       {k, {{"x\n\"y\"=dword:00000001", RegValue::Dword(1)}}}, "", 1},
      // In code page 932 0x95 0x5c is one character, and 0x83 alone at the
      // end takes the closing quote along.
      {"a string whose backslash may trail a double-byte character",
       {k, {{"s", RegValue::Text("\x95\\")}}},
       "\"s\"=hex(1):95,5c,00\r\n", 0},
      {"a string ending in a byte that may lead one",
       {k, {{"s", RegValue::Text("a\x83")}}}, "\"s\"=hex(1):61,83,00\r\n", 0},
      {"a double-byte string that regedit reads either way",
       {k, {{"s", RegValue::Text("\x83" "Ab")}}}, "\"s\"=\"\x83" "Ab\"\r\n",
       0},
      {"a value name that regedit would misread",
       {k, {{"\x95\\", RegValue::Dword(1)}}}, "", 1},
  };
  for (const Case& c : cases) {
    RegeditText file = WriteRegedit4({c.key});
    EXPECT_EQ("REGEDIT4\r\n\r\n[" + k + "]\r\n" + c.values, file.text) << c.what;
    EXPECT_EQ(c.leftOut, file.leftOut.size()) << c.what;
  }
  // A key that no line can name is left out whole.
  for (const char* name : {"a]b", "a\r\n[HKEY_LOCAL_MACHINE\\Other]", "a\x83",
                           "\x95\\b"}) {
    RegeditText file = WriteRegedit4({{k + "\\" + name, {{"x", RegValue::Dword(1)}}}});
    EXPECT_EQ("REGEDIT4\r\n", file.text) << name;
    EXPECT_EQ(1u, file.leftOut.size()) << name;
  }
}

}  // namespace
}  // namespace velo
