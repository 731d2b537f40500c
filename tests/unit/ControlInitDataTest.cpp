// The persisted streams a dialog template gives its hosted controls: read
// exactly as the resource compiler lays them out, and nothing at all from
// data that is cut short or contradicts itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/ControlInitData.h"

namespace velo {
namespace {

typedef std::vector<uint8_t> Bytes;

ControlInitData Parse(const Bytes& data) {
  return ControlInitData::Parse(data.data(), data.size());
}

// No control, whatever its id (a WORD), gets a stream.
bool GivesNoStream(const ControlInitData& parsed) {
  for (int id = 0; id <= 0xFFFF; ++id)
    if (parsed.StreamOf(id)) return false;
  return true;
}

TEST(ControlInitData, ReadsEachControlsStreamPastOddPadding) {
  const Bytes data = {
      0x04, 0x04, 0x03, 0x00, 0xA1, 0xA2, 0xA3, 0x00,  // 1028: 3 bytes, pad
      0x07, 0x04, 0x02, 0x00, 0xB1, 0x00,              // 1031: 2 bytes
      0x09, 0x00, 0x00, 0x00,                          // 9: an empty stream
      0x00, 0x00};
  ControlInitData parsed = Parse(data);
  ASSERT_NE(nullptr, parsed.StreamOf(1028));
  EXPECT_EQ((Bytes{0xA1, 0xA2, 0xA3}), *parsed.StreamOf(1028));
  ASSERT_NE(nullptr, parsed.StreamOf(1031));
  EXPECT_EQ((Bytes{0xB1, 0x00}), *parsed.StreamOf(1031));
  ASSERT_NE(nullptr, parsed.StreamOf(9));
  EXPECT_TRUE(parsed.StreamOf(9)->empty());
  EXPECT_EQ(nullptr, parsed.StreamOf(1029));
}

TEST(ControlInitData, StopsAtTheEndMarkerWhateverFollows) {
  ControlInitData parsed =
      Parse({0x01, 0x00, 0x02, 0x00, 0x11, 0x22, 0x00, 0x00, 0x02, 0x00,
             0xFF, 0xFF});
  ASSERT_NE(nullptr, parsed.StreamOf(1));
  EXPECT_EQ((Bytes{0x11, 0x22}), *parsed.StreamOf(1));
  EXPECT_EQ(nullptr, parsed.StreamOf(2));
  EXPECT_TRUE(GivesNoStream(Parse({0x00, 0x00})));
}

TEST(ControlInitData, MalformedDataGivesNoStreamAtAll) {
  const Bytes wellFormed = {0x01, 0x00, 0x01, 0x00, 0x5A, 0x00,
                            0x02, 0x00, 0x02, 0x00, 0x6B, 0x7C, 0x00, 0x00};
  ASSERT_FALSE(GivesNoStream(Parse(wellFormed)));
  // Every cut of the data short of its end marker loses the marker or a
  // record's bytes.
  for (size_t size = 0; size < wellFormed.size() - 1; ++size) {
    ControlInitData parsed = ControlInitData::Parse(wellFormed.data(), size);
    EXPECT_TRUE(GivesNoStream(parsed)) << "cut at " << size;
    EXPECT_EQ(nullptr, parsed.StreamOf(1)) << "cut at " << size;
  }
  const Bytes broken[] = {
      {0x01, 0x00, 0x01, 0x00, 0x5A},              // odd stream without pad
      {0x01, 0x00, 0x08, 0x00, 0x5A, 0x00, 0x00, 0x00},  // count too large
      {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00},        // count far too large
      {0x03, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00},  // twice
  };
  for (const Bytes& data : broken)
    EXPECT_TRUE(GivesNoStream(Parse(data))) << "data of " << data.size();
  EXPECT_TRUE(GivesNoStream(ControlInitData::Parse(nullptr, 4)));
}

}  // namespace
}  // namespace velo
