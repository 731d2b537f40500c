// The fuzz targets. Each takes any bytes and tells what it found wrong, or
// nothing. libFuzzer runs one of them at a time (FuzzerMain.cpp); the unit
// tests replay each one's seed corpus in fuzz/corpus/<name>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velo {

struct FuzzTarget {
  const char* name;
  std::string (*run)(const uint8_t* data, size_t size);
};

// Language file reading and text lookup, in single- and double-byte code
// pages.
std::string FuzzLanguageFile(const uint8_t* data, size_t size);
// The edit boxes' number parsing and the 9x decimal texts.
std::string FuzzNumberText(const uint8_t* data, size_t size);
// The check of a flag file's first bytes that orders the language list.
std::string FuzzFlagHeader(const uint8_t* data, size_t size);
// The model of the user and the machine, driven by the bytes.
std::string FuzzUserMachine(const uint8_t* data, size_t size);

// The registry file writer against a reader of the same format: any names,
// any data.
std::string FuzzRegeditFile(const uint8_t* data, size_t size);

const std::vector<FuzzTarget>& FuzzTargets();

}  // namespace velo
