// The numbers every program reads: what each parser takes, and each way it refuses,
// with the value left alone on a refusal.
#include "cmdline/Arguments.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <string>
#include <type_traits>

namespace {
const std::string k400Zeros(400, '0');

// What a parse made of a text: the value, or "m" (malformed) or "r" (out of range), marked
// "touched" where a refusal changed the value.
template <typename Number>
std::string Outcome(NumberIs is, Number value, Number before) {
  if (is != NumberIs::kGood) {
    return (value == before ? "" : "touched ") +
           std::string(is == NumberIs::kMalformed ? "m" : "r");
  }
  if constexpr (std::is_integral_v<Number>) return std::to_string(value);
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string Whole(const std::string& text, uint64_t maximum, bool hex) {
  uint64_t value = 12345;
  const NumberIs is = ParseWhole(text, 1, maximum, &value, hex);
  return Outcome(is, value, uint64_t{12345});
}

std::string Factor(const std::string& text, float maximum) {
  float value = 7.0f;
  const NumberIs is = ParseFactor(text, maximum, &value);
  return Outcome(is, value, 7.0f);
}

TEST(Arguments, ParseWholeTakesPlainDigitsInRangeAndHexOnlyWhenAsked) {
  // A text, then what it gives from 1 to 99 in decimal, and with hex.
  const char* const rows[][3] = {{"7", "7", "7"},     {"007", "7", "7"},  {"99", "99", "99"},
                                 {"100", "r", "r"},   {"0", "r", "r"},    {"", "m", "m"},
                                 {"+5", "m", "m"},    {"-5", "m", "m"},   {" 5", "m", "m"},
                                 {"5 ", "m", "m"},    {"5.0", "m", "m"},  {"1e1", "m", "m"},
                                 {"a", "m", "m"},     {"1f", "m", "m"},   {"0x1f", "m", "31"},
                                 {"0X1F", "m", "31"}, {"0x", "m", "m"},   {"0x0x1", "m", "m"},
                                 {"0xg", "m", "m"},   {"0x-1", "m", "m"}, {"0x64", "m", "r"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Whole(row[0], 99, false), row[1]) << row[0];
    EXPECT_EQ(Whole(row[0], 99, true), row[2]) << row[0] << " with hex";
  }
  // Past 64 bits, by the last digit added or by a place more.
  EXPECT_EQ(Whole("18446744073709551615", UINT64_MAX, false), "18446744073709551615");
  for (const char* text : {"18446744073709551617", "99999999999999999999", "0x10000000000000001"}) {
    EXPECT_EQ(Whole(text, UINT64_MAX, true), "r") << text;
  }
}

TEST(Arguments, ParseFactorTakesOnePointAboveZeroAndANormalFloat) {
  // A text, then what it gives when the most is 100.
  const char* const rows[][2] = {
      {"1", "1"},     {"0.5", "0.5"},       {".25", "0.25"},  {"5.", "5"},    {"100", "100"},
      {"1.1", "1.1"}, {"0.00005", "5e-05"}, {"100.001", "r"}, {"0", "r"},     {"0.000", "r"},
      {"", "m"},      {".", "m"},           {"1..2", "m"},    {"1.2.3", "m"}, {"+1", "m"},
      {"-1", "m"},    {" 1", "m"},          {"1 ", "m"},      {"1e1", "m"},   {"1,5", "m"},
      {"0x10", "m"},  {"inf", "m"},         {"nan", "m"}};
  for (const auto& row : rows) EXPECT_EQ(Factor(row[0], 100), row[1]) << row[0];
  // Nothing a float holds only as a denormal, 0 or infinity.
  EXPECT_EQ(Factor("0.00000000000000000000000000000000000001", 100), "r");
  EXPECT_EQ(Factor("0." + k400Zeros + "1", 100), "r");
  EXPECT_EQ(Factor("1" + k400Zeros, FLT_MAX), "r");
}

}  // namespace
