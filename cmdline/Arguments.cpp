// Numbers are checked character by character before they are converted, so
// that nothing the C library would let pass (a space, a sign, "0x" twice, an
// exponent, "inf") reaches a setting.
#include "cmdline/Arguments.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* programName = "wendrix";

int Digit(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

void SetProgramName(const char* name) { programName = name; }

const char* ProgramName() { return programName; }

void PrintFailure(const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", programName, why.c_str());
}

bool Fail(std::string* error, std::string why) {
  if (error != nullptr) *error = std::move(why);
  return false;
}

std::string Shown(std::string_view text) {
  constexpr size_t kMostShown = 40;
  std::string shown;
  for (const char c : text.substr(0, kMostShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      shown.push_back(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return text.size() > kMostShown ? shown + "..." : shown;
}

int AnswerParse(ParseResult result, const std::string& error, std::string_view usage) {
  if (result == ParseResult::kUsageError) {
    PrintFailure(error);
    std::fwrite(usage.data(), 1, usage.size(), stderr);
    return 2;
  }
  if (result == ParseResult::kHelp) std::fwrite(usage.data(), 1, usage.size(), stdout);
  if (result == ParseResult::kVersion) std::printf("%s %s\n", programName, WENDRIX_VERSION);
  // As GNU tools do: output that did not arrive (a full disk, a closed pipe) is an error.
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    PrintFailure(std::string("write error: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}

NumberIs ParseWhole(std::string_view text, uint64_t minimum, uint64_t maximum, uint64_t* value,
                    bool hex) {
  const bool prefixed = hex && text.size() > 2 && text[0] == '0' && (text[1] | 0x20) == 'x';
  const std::string_view digits = prefixed ? text.substr(2) : text;
  const uint64_t base = prefixed ? 16 : 10;
  if (digits.empty()) return NumberIs::kMalformed;
  uint64_t parsed = 0;
  bool overflow = false;
  for (const char c : digits) {
    const int digit = Digit(c, prefixed);
    if (digit < 0) return NumberIs::kMalformed;
    overflow = overflow || parsed > (UINT64_MAX - static_cast<uint64_t>(digit)) / base;
    parsed = parsed * base + static_cast<uint64_t>(digit);
  }
  if (overflow || parsed < minimum || parsed > maximum) return NumberIs::kOutOfRange;
  *value = parsed;
  return NumberIs::kGood;
}

NumberIs ParseFactor(std::string_view text, float maximum, float* value) {
  size_t digits = 0, points = 0;
  for (const char c : text) {
    digits += Digit(c, false) >= 0 ? 1 : 0;
    points += c == '.' ? 1 : 0;
  }
  if (digits == 0 || points > 1 || digits + points != text.size()) return NumberIs::kMalformed;
#ifdef __EMSCRIPTEN__
  // Emscripten's libc++ reads no floating-point from_chars; its C library has no locale
  // but "C", so strtod reads the checked digits alike.
  const double parsed = std::strtod(std::string(text).c_str(), nullptr);
#else
  double parsed = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::fixed);
#endif
  // A value below float's smallest normal would reach the settings as 0 or a denormal.
  const auto narrowed = static_cast<float>(parsed);
  if (!(parsed > 0.0) || parsed > maximum || !std::isnormal(narrowed)) return NumberIs::kOutOfRange;
  *value = narrowed;
  return NumberIs::kGood;
}

std::string FillIn(std::string_view text, std::initializer_list<Blank> blanks) {
  std::string filled;
  for (size_t at = 0; at < text.size();) {
    const size_t open = text.find('{', at);
    const size_t close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) {
      filled += text.substr(at);
      break;
    }
    filled += text.substr(at, open - at);
    const std::string_view name = text.substr(open + 1, close - open - 1);
    bool known = false;
    for (const Blank& blank : blanks) {
      if (blank.name == name) {
        filled += blank.value;
        known = true;
      }
    }
    if (!known) filled += text.substr(open, close - open + 1);  // not a blank: kept as written
    at = close + 1;
  }
  return filled;
}
