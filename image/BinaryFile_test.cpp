// BinaryFile: the atEnd flag through open, short reads and close, and chained values.
#include "image/BinaryFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestFile.h"

namespace {

const std::vector<uint8_t> kSixBytes = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15};

TEST(BinaryFile, AtEndFollowsOpenAndClose) {
  TestFile file("six.bin", kSixBytes);
  BinaryFile reader;
  EXPECT_TRUE(reader.atEnd());
  ASSERT_TRUE(reader.open(file.path(), "rb"));
  EXPECT_FALSE(reader.atEnd());
  reader.close();
  EXPECT_TRUE(reader.atEnd());
  reader.close();  // without a stream: nothing happens
  EXPECT_TRUE(reader.atEnd());
  uint8_t byte = 0;
  EXPECT_FALSE(reader.read(&byte, 1));
}

TEST(BinaryFile, ShortReadKeepsWhatItGot) {
  TestFile file("six.bin", kSixBytes);
  BinaryFile reader;
  ASSERT_TRUE(reader.open(file.path(), "rb"));
  uint8_t buffer[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  ASSERT_TRUE(reader.read(buffer, 4));
  EXPECT_FALSE(reader.atEnd());
  std::fill(buffer, buffer + 4, 0xAA);
  EXPECT_FALSE(reader.read(buffer, 4));  // two bytes left
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(buffer[0], 0x14);
  EXPECT_EQ(buffer[1], 0x15);
  EXPECT_EQ(buffer[3], 0xAA);
}

TEST(BinaryFile, ZeroByteReadFailsWithoutReachingTheEnd) {
  TestFile file("six.bin", kSixBytes);
  BinaryFile reader;
  ASSERT_TRUE(reader.open(file.path(), "rb"));
  uint8_t buffer[2] = {};
  ASSERT_TRUE(reader.read(buffer, 2));
  EXPECT_FALSE(reader.read(buffer, 0));
  EXPECT_FALSE(reader.atEnd());
  // Nothing was consumed: the next byte is still the third.
  ASSERT_TRUE(reader.read(buffer, 1));
  EXPECT_EQ(buffer[0], 0x12);
}

TEST(BinaryFile, FailedOpenClosesTheOldStream) {
  TestFile file("six.bin", kSixBytes);
  BinaryFile reader;
  ASSERT_TRUE(reader.open(file.path(), "rb"));
  EXPECT_FALSE(reader.open("/nonexistent/wendrix/none.bin", "rb"));
  EXPECT_TRUE(reader.atEnd());
  uint8_t byte = 0;
  EXPECT_FALSE(reader.read(&byte, 1));  // the first file would still have bytes
}

TEST(BinaryFile, ChainedValuesAreLittleEndianAndStopAtTheEnd) {
  // 0x01, then 0x1234, then only two of the four bytes of a 32-bit value.
  TestFile file("values.bin", {0x01, 0x34, 0x12, 0x78, 0x56});
  BinaryFile reader;
  ASSERT_TRUE(reader.open(file.path(), "rb"));
  uint8_t byteValue = 0;
  uint16_t shortValue = 0;
  uint32_t longValue = 0xDEADBEEF;
  uint16_t afterEnd = 0xBEEF;
  reader.readValue(byteValue).readValue(shortValue).readValue(longValue).readValue(afterEnd);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(byteValue, 0x01);
  EXPECT_EQ(shortValue, 0x1234);
  EXPECT_EQ(longValue, 0xDEADBEEFu);
  EXPECT_EQ(afterEnd, 0xBEEF);
}

}  // namespace
