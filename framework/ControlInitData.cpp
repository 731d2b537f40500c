#include "framework/ControlInitData.h"

namespace velo {

namespace {

// Reads the WORD at `*offset` and moves past it; false at the end.
bool ReadWord(const uint8_t* data, size_t size, size_t* offset,
              uint16_t* word) {
  if (size - *offset < 2) return false;
  *word = static_cast<uint16_t>(data[*offset] | data[*offset + 1] << 8);
  *offset += 2;
  return true;
}

}  // namespace

ControlInitData ControlInitData::Parse(const uint8_t* data, size_t size) {
  ControlInitData parsed;
  if (!data) return parsed;
  size_t offset = 0;
  for (;;) {
    uint16_t controlId, count;
    if (!ReadWord(data, size, &offset, &controlId)) return ControlInitData();
    if (controlId == 0) return parsed;
    if (!ReadWord(data, size, &offset, &count)) return ControlInitData();
    size_t padded = count + (count & 1u);
    if (size - offset < padded || parsed.streams_.count(controlId))
      return ControlInitData();
    parsed.streams_[controlId].assign(data + offset, data + offset + count);
    offset += padded;
  }
}

const std::vector<uint8_t>* ControlInitData::StreamOf(int controlId) const {
  auto found = streams_.find(controlId);
  return found == streams_.end() ? nullptr : &found->second;
}

}  // namespace velo
