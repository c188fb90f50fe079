// The page's address as options, one case a row: the query, then what the page
// takes from it and, after "|", each option it refuses.
#include "webapp/PageOptions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Keys(const std::vector<KeyPress>& keys) {
  std::string text;
  for (const KeyPress& key : keys) {
    text += key.special ? "<" + std::to_string(key.code) + ">" : std::string(1, char(key.code));
  }
  return text;
}

// What the page takes, in one line: each option given, the clock, then the refusals.
std::string Taken(std::string_view query) {
  const PageOptions page = ReadAddress(query);
  const SceneOptions& s = page.scene;
  std::ostringstream out;
  if (s.randomScheme) out << "scheme random ";
  if (s.scheme) out << "scheme " << *s.scheme << " ";
  if (s.ripples) out << "ripples " << *s.ripples << " ";
  if (s.speed) out << "speed " << *s.speed << " ";
  if (s.seed) out << "seed " << *s.seed << " ";
  if (s.present != Present::kAuto) out << "present " << PresentName(s.present) << " ";
  if (s.spotlight) out << "spotlight ";
  if (s.fps) out << "fps ";
  if (page.embed) out << "embed ";
  if (page.fieldRows) out << "rows ";
  if (page.fixedClock) out << "clock " << page.clock.frames << "@" << page.clock.frameMs << " ";
  if (!page.clock.keys.empty()) out << "keys " << Keys(page.clock.keys) << " ";
  for (const TimedKeys& at : page.clock.keyAt)
    out << "at " << at.frame << ":" << Keys(at.keys) << " ";
  for (const std::string& why : page.refused) out << "| " << why << " ";
  return out.str();
}

TEST(PageOptions, TakesTheAddressAsABrowserEncodesIt) {
  const char* const rows[][2] = {
      {"", ""},
      {"?scheme=4&fps&spotlight=1", "scheme 4 spotlight fps "},
      // A flag given as 0 is off; as anything but 0, 1 or nothing, refused.
      {"fps=0&spotlight=0&embed=0", ""},
      {"fps=2&embed=yes", R"(| fps wants 1 or 0, not "2" | embed wants 1 or 0, not "yes" )"},
      {"embed&&scheme=random&", "scheme random embed "},
      {"field=rows&field=gpu&field=rows", "rows "},
      {"field=cpu&field",
       R"(| field wants gpu or rows, not "cpu" | field wants gpu or rows, not "" )"},
      // "+" is a space, %XX a byte in either case; a malformed escape stays as written.
      {"keys=o+%3f%21&%66ps=1", "fps keys o ?! "},
      {"seed=%31%32", "seed 12 "},
      {"seed=1%2", R"(| seed wants a whole number from 0 to 4294967295, not "1%2" )"},
      {"keys=%zz%", "keys %zz% "},
      {"present=image&ripples=9&speed=fast&bogus=1",
       "present image | ripples wants a whole number from 1 to 8, not \"9\" | speed wants a "
       "number above 0, at most 100, not \"fast\" | no picture option is called bogus "},
      // The clock as wendrix-render takes it, whole or not at all.
      {"frames=3&frame-ms=40&key-at=2:<left>o", "clock 3@40 at 2:<100>o "},
      {"keys=nn", "keys nn "},
      {"frames=0&keys=n", R"(| --frames wants a whole number of at least 1, not "0" )"},
      {"frames=3&key-at=3:o", "| --key-at 3: the last frame is 2 "},
      {"frame-ms=-1", R"(| --frame-ms wants a whole number of milliseconds, not "-1" )"},
      {"key-at=x", R"(| --key-at wants FRAME:KEYS, not "x" )"},
      {"keys=<f1>",
       "| --keys: unknown key <f1> (known: <esc> <space> <left> <right> <up> "
       "<down> <lt>) "},
  };
  for (const auto& [query, taken] : rows) EXPECT_EQ(Taken(query), taken) << query;
}

}  // namespace
