#include <gtest/gtest.h>

#include "framework/IntegerText.h"

namespace velo {
namespace {

TEST(IntegerText, WholeNumbersAreTheOnlyIntegers) {
  int64_t value = 0;
  EXPECT_TRUE(ParseWholeNumber("1500", &value));
  EXPECT_EQ(1500, value);
  EXPECT_TRUE(ParseWholeNumber("  -42 ", &value));
  EXPECT_EQ(-42, value);
  EXPECT_TRUE(ParseWholeNumber("+7", &value));
  EXPECT_EQ(7, value);
  EXPECT_TRUE(ParseWholeNumber("9223372036854775807", &value));
  EXPECT_EQ(INT64_MAX, value);
  EXPECT_TRUE(ParseWholeNumber("-9223372036854775808", &value));
  EXPECT_EQ(INT64_MIN, value);

  value = 99;
  for (const char* refused : {"", " ", "-", "12a", "1 2", "0x10", "1.5",
                              "9223372036854775808", "-9223372036854775809",
                              "99999999999999999999999"}) {
    EXPECT_FALSE(ParseWholeNumber(refused, &value)) << refused;
    EXPECT_EQ(99, value) << "a refused text leaves the value alone";
  }
}

TEST(IntegerText, LeadingNumberOfABoxReadsZeroWhenItIsNotOne) {
  EXPECT_EQ(576u, ParseLeadingUint32("576"));
  EXPECT_EQ(12u, ParseLeadingUint32("12abc"));
  EXPECT_EQ(4294967295u, ParseLeadingUint32("4294967295"));
  EXPECT_EQ(0u, ParseLeadingUint32("4294967296"));
  EXPECT_EQ(0u, ParseLeadingUint32(""));
  EXPECT_EQ(0u, ParseLeadingUint32("abc"));
  EXPECT_EQ(0u, ParseLeadingUint32("-5"));
  EXPECT_EQ(7u, ParseLeadingUint32("0007"));
}

}  // namespace
}  // namespace velo
