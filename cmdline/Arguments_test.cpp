// The numbers every program reads: what each parser takes, and each way it refuses,
// with the value left alone on a refusal.
#include "cmdline/Arguments.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <string>

namespace {
const std::string k400Zeros(400, '0');

// What a parse made of a text: the value, or "m" (malformed) or "r" (out of range), with
// "touched" before it where a refusal changed the value.
std::string Outcome(NumberIs is, bool touched, const std::string& value) {
  if (is == NumberIs::kGood) return value;
  return (touched ? "touched " : "") + std::string(is == NumberIs::kMalformed ? "m" : "r");
}

std::string Whole(const std::string& text, uint64_t maximum, bool hex) {
  uint64_t value = 12345;
  const NumberIs is = ParseWhole(text, 1, maximum, &value, hex);
  return Outcome(is, value != 12345, std::to_string(value));
}

std::string Factor(const std::string& text, float maximum) {
  float value = 7.0f;
  const NumberIs is = ParseFactor(text, maximum, &value);
  char shown[32];
  std::snprintf(shown, sizeof shown, "%g", static_cast<double>(value));
  return Outcome(is, value != 7.0f, shown);
}

TEST(Arguments, WholesTakeDigitsInRangeHexOnlyWhenAskedAndFactorsOnePointAboveZero) {
  // A text, then what it gives as a whole number from 1 to 99 in decimal and with hex, and
  // as a factor of at most 100.
  const char* const rows[][4] = {
      {"7", "7", "7", "7"},           {"007", "7", "7", "7"},     {"99", "99", "99", "99"},
      {"100", "r", "r", "100"},       {"0", "r", "r", "r"},       {"", "m", "m", "m"},
      {"+5", "m", "m", "m"},          {"-5", "m", "m", "m"},      {" 5", "m", "m", "m"},
      {"5 ", "m", "m", "m"},          {"1e1", "m", "m", "m"},     {"a", "m", "m", "m"},
      {"1f", "m", "m", "m"},          {"0x1f", "m", "31", "m"},   {"0X1F", "m", "31", "m"},
      {"0x", "m", "m", "m"},          {"0x0x1", "m", "m", "m"},   {"0xg", "m", "m", "m"},
      {"0x-1", "m", "m", "m"},        {"0x64", "m", "r", "m"},    {"5.0", "m", "m", "5"},
      {"0.5", "m", "m", "0.5"},       {".25", "m", "m", "0.25"},  {"5.", "m", "m", "5"},
      {"1.1", "m", "m", "1.1"},       {"100.001", "m", "m", "r"}, {"0.000", "m", "m", "r"},
      {"0.00005", "m", "m", "5e-05"}, {".", "m", "m", "m"},       {"1..2", "m", "m", "m"},
      {"1.2.3", "m", "m", "m"},       {"1,5", "m", "m", "m"},     {"inf", "m", "m", "m"},
      {"nan", "m", "m", "m"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Whole(row[0], 99, false), row[1]) << row[0];
    EXPECT_EQ(Whole(row[0], 99, true), row[2]) << row[0] << " with hex";
    EXPECT_EQ(Factor(row[0], 100), row[3]) << row[0] << " as a factor";
  }
  // Past 64 bits, by the last digit added or by a place more; a float's denormal, 0 or infinity.
  EXPECT_EQ(Whole("18446744073709551615", UINT64_MAX, false), "18446744073709551615");
  for (const char* text : {"18446744073709551617", "99999999999999999999", "0x10000000000000001"}) {
    EXPECT_EQ(Whole(text, UINT64_MAX, true), "r") << text;
  }
  EXPECT_EQ(Factor("0.00000000000000000000000000000000000001", 100), "r");
  EXPECT_EQ(Factor("0." + k400Zeros + "1", 100), "r");
  EXPECT_EQ(Factor("1" + k400Zeros, FLT_MAX), "r");
}

}  // namespace
