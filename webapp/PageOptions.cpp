// The pairs of the query, each handed to the check of the program it comes
// from: saver/Scene for the picture, app/FixedClock for wendrix-render's clock.
#include "webapp/PageOptions.h"

#include <optional>

#include "cmdline/Arguments.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A malformed escape stays as it is, as browsers leave it.
std::string Decoded(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexDigit(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
    if (low >= 0) {
      decoded.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      decoded.push_back(text[i] == '+' ? ' ' : text[i]);
    }
  }
  return decoded;
}

// A flag of the page's own: on as "1" or bare, off as "0", none for anything else.
std::optional<bool> Flag(const std::optional<std::string>& value) {
  if (!value || value->empty() || *value == "1") return true;
  if (*value == "0") return false;
  return std::nullopt;
}

}  // namespace

PageOptions ReadAddress(std::string_view query) {
  PageOptions page;
  const auto refuse = [&page](std::string why) {
    if (page.refused.size() < kMostRefused) {
      page.refused.push_back(std::move(why));
    } else {
      ++page.moreRefused;
    }
  };
  if (query.starts_with('?')) query.remove_prefix(1);
  bool clockTaken = true;
  std::string clockWhy;
  while (!query.empty()) {
    const size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) continue;
    const size_t equals = pair.find('=');
    const std::string name = Decoded(pair.substr(0, equals));
    const std::optional<std::string> value = equals == std::string_view::npos
                                                 ? std::nullopt
                                                 : std::optional(Decoded(pair.substr(equals + 1)));
    // A flag given bare or empty is on.
    const bool bare = !value || value->empty();
    std::string why;
    if (name.empty()) {
      refuse("\"=" + Shown(value.value_or("")) + "\" names no option");
      continue;
    }
    if (name == "embed" || name == "play") {
      const std::optional<bool> on = Flag(value);
      if (!on) {
        refuse(name + " wants 1 or 0, not \"" + Shown(*value) + "\"");
      } else if (name == "embed") {
        page.embed = *on;
      } else {
        page.play = on;
      }
      continue;
    }
    if (name == "field") {
      if (value == "gpu" || value == "rows") {
        page.fieldRows = *value == "rows";
      } else {
        page.refused.push_back("field wants gpu or rows, not \"" + value.value_or("") + "\"");
      }
      continue;
    }
    if (IsSceneFlag(name)) {
      if (!TakeSceneSetting(name, bare ? "1" : *value, &page.scene, &why)) refuse(why);
      continue;
    }
    if (IsClockOption(name)) {
      clockTaken = clockTaken && TakeClockOption(name, value.value_or(""), &page.clock, &clockWhy);
      page.fixedClock = page.fixedClock || name != "keys";
      continue;
    }
    const bool taken = value ? TakeSceneSetting(name, *value, &page.scene, &why)
                             : TakeSceneOption(name, nullptr, &page.scene, &why);
    if (!taken) refuse(why);
  }
  // The clock is taken whole or not at all, as wendrix-render takes its command line.
  if (!clockTaken || !CheckClock(page.clock, &clockWhy)) {
    refuse(clockWhy);
    page.fixedClock = false;
    page.clock = FixedClock();
  }
  return page;
}
