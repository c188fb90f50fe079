// What the programs' command lines share: the name each of their messages
// starts with, the outcome of a parse and main's answer to it, and numbers
// read strictly, in range.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// "wendrix-render", say: set by main before anything can speak.
void SetProgramName(const char* name);
const char* ProgramName();
// One line on standard error: "PROGRAM: why".
void PrintFailure(const std::string& why);
// Puts why into *error, when there is one, and returns false: every check's early exit.
bool Fail(std::string* error, std::string why);
// Text a user gave, as a message shows it: at most its first 40 bytes ("..." after them
// where there are more), each byte outside printable ASCII as \xNN, so that a line stays
// one short line whatever was given.
std::string Shown(std::string_view text);

// What the command line asks for; kUsageError comes with a reason.
enum class ParseResult { kRun, kHelp, kVersion, kUsageError };
// main's answer to all but kRun: the usage or "PROGRAM VERSION" on standard
// output and 0, or 1 with a message when standard output does not take them;
// for a usage error the reason and the usage on standard error, and 2.
int AnswerParse(ParseResult result, const std::string& error, std::string_view usage);

// A usage text with each {name} replaced by its value, so that the ranges and
// defaults it names are the program's own: FillIn("1 to {max}", {{"max", "8"}}).
struct Blank {
  std::string_view name;
  std::string value;
};
std::string FillIn(std::string_view text, std::initializer_list<Blank> blanks);

// How a number read from text fared.
enum class NumberIs { kGood, kMalformed, kOutOfRange };
// Decimal digits and nothing else (no sign, space or point); with hex, "0x"
// and hexadecimal digits are taken too.
NumberIs ParseWhole(std::string_view text, uint64_t minimum, uint64_t maximum, uint64_t* value,
                    bool hex = false);
template <typename Whole>
NumberIs ParseWhole(std::string_view text, uint64_t minimum, uint64_t maximum, Whole* value,
                    bool hex = false) {
  uint64_t parsed = 0;
  const NumberIs is = ParseWhole(text, minimum, maximum, &parsed, hex);
  if (is == NumberIs::kGood) *value = static_cast<Whole>(parsed);
  return is;
}
// Plain decimal, digits with at most one point (no sign, space or exponent),
// above 0 and at most maximum, and a normal number as a float.
NumberIs ParseFactor(std::string_view text, float maximum, float* value);
