// The initialisation data a dialog template gives the ActiveX controls it
// hosts: for each control, the persisted property stream the control loads
// when it is created. The resource compiler keeps it as a resource of type
// CONTROLINIT named after the dialog, one record after another, each number
// a little-endian WORD:
//   control id      (0 ends the list)
//   byte count      of the stream
//   the stream      padded with one zero byte when the count is odd, so that
//                   every record starts on a WORD, as the compiler writes it
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace velo {

const char kControlInitType[] = "CONTROLINIT";

class ControlInitData {
 public:
  // Reads the records. Malformed data (a record running past the end, no end
  // marker, a control named twice) gives no stream at all: a control then
  // starts from its defaults rather than from part of its properties.
  static ControlInitData Parse(const uint8_t* data, size_t size);

  // The control's stream, or null when the data gives it none.
  const std::vector<uint8_t>* StreamOf(int controlId) const;

 private:
  std::map<int, std::vector<uint8_t>> streams_;
};

// What the program's dialog template `templateId` gives its hosted controls;
// none when the program has no such resource for it. (Windows only.)
ControlInitData TemplateInitData(int templateId);

}  // namespace velo
