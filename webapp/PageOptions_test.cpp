// The page's address as options, one case a row: the query, then what the page
// takes from it and, after "|", each option it refuses.
#include "webapp/PageOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <random>
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
  if (page.play) out << (*page.play ? "play " : "paused ");
  if (page.fixedClock) out << "clock " << page.clock.frames << "@" << page.clock.frameMs << " ";
  if (!page.clock.keys.empty()) out << "keys " << Keys(page.clock.keys) << " ";
  for (const TimedKeys& at : page.clock.keyAt)
    out << "at " << at.frame << ":" << Keys(at.keys) << " ";
  for (const std::string& why : page.refused) out << "| " << why << " ";
  if (page.moreRefused > 0) out << "| " << page.moreRefused << " more ";
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
      // Playing or paused whatever the browser asks for, a flag as embed is.
      {"play&embed=1", "embed play "},
      {"play=0&play=on", R"(paused | play wants 1 or 0, not "on" )"},
      // Names are lower case as written, and an option given twice counts as given last.
      {"SCHEME=4&Fps&=4&scheme=1&scheme=2&ripples=3&ripples=9",
       R"(scheme 2 ripples 3 | no picture option is called SCHEME | no picture option is called )"
       R"(Fps | "=4" names no option | ripples wants a whole number from 1 to 8, not "9" )"},
      // A NUL ends no value early, and bytes outside printable ASCII are shown escaped.
      {"seed=1%002&ripples=%FF%FE&%C3%A9=1&fps=%0A&keys=<%0A>",
       R"(| seed wants a whole number from 0 to 4294967295, not "1\x002" | ripples wants a )"
       R"(whole number from 1 to 8, not "\xFF\xFE" | no picture option is called \xC3\xA9 | )"
       R"(fps wants 1 or 0, not "\x0A" | --keys: unknown key <\x0A> (known: <esc> <space> )"
       R"(<left> <right> <up> <down> <lt>) )"},
      // Only the first few refusals have a line each; the rest are counted.
      {"a&b&c&d&e&f&g&frames=x",
       "| no picture option is called a | no picture option is called b | no picture option is "
       "called c | no picture option is called d | no picture option is called e | no picture "
       "option is called f | 2 more "},
  };
  for (const auto& [query, taken] : rows) EXPECT_EQ(Taken(query), taken) << query;
  // A value of 100 KB is quoted by its start.
  const std::string many(100000, '9');
  EXPECT_EQ(Taken("speed=" + many + "&keys=<" + many),
            "| speed wants a number above 0, at most 100, not \"" + many.substr(0, 40) +
                "...\" | --keys: unterminated key name at \"<" + many.substr(0, 39) +
                R"(..." (write <lt> for "<") )");
}

// Each refusal is one short line of printable ASCII, and no more than the cap have one.
void ExpectSaneLines(const PageOptions& page, const std::string& query) {
  EXPECT_LE(page.refused.size(), size_t{kMostRefused}) << query;
  for (const std::string& line : page.refused) {
    EXPECT_LE(line.size(), 250u) << query;
    for (const char c : line) ASSERT_TRUE(c >= ' ' && c <= '~') << line;
  }
}

// Seeded hostile addresses: options the page takes shuffled among options it must refuse
// (unknown names, names in odd case, no name, bytes no value takes, values of 100 KB),
// escaped as a browser escapes them. Each option is taken or refused, whatever is around it.
TEST(PageOptions, TakesOrRefusesEachOptionOfHostileAddresses) {
  struct Good {
    const char* pair;
    bool (*taken)(const PageOptions&);
  };
  const Good good[] = {
      {"scheme=3", [](const PageOptions& p) { return p.scene.scheme == 3; }},
      {"ripples=2", [](const PageOptions& p) { return p.scene.ripples == 2; }},
      {"speed=2.5", [](const PageOptions& p) { return p.scene.speed == 2.5f; }},
      {"seed=7", [](const PageOptions& p) { return p.scene.seed == 7u; }},
      {"present=image", [](const PageOptions& p) { return p.scene.present == Present::kImage; }},
      {"spotlight", [](const PageOptions& p) { return p.scene.spotlight; }},
      {"embed=1", [](const PageOptions& p) { return p.embed; }},
      {"play=0", [](const PageOptions& p) { return p.play == false; }},
  };
  const char* const names[] = {
      "scheme",    "ripples", "tesselation", "speed", "frequency", "letterbox", "seed", "present",
      "spotlight", "fps",     "embed",       "play",  "frames",    "frame-ms",  "keys", "key-at"};
  std::mt19937 random(20261208);
  const auto bytes = [&random](size_t count) {
    std::string text;
    while (text.size() < count) text.push_back(static_cast<char>(random() & 0xff));
    return text;
  };
  const auto escaped = [](std::string_view text) {
    std::string out;
    for (const char c : text) {
      if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-') {
        out.push_back(c);
      } else {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
        out += hex;
      }
    }
    return out;
  };
  for (int address = 0; address < 300; ++address) {
    std::vector<std::string> pairs;
    std::vector<const Good*> given;
    for (const Good& g : good) {
      if (random() % 3 == 0) {
        pairs.emplace_back(g.pair);
        given.push_back(&g);
      }
    }
    size_t refusals = 0;
    bool clockRefused = false;
    for (int hostile = static_cast<int>(random() % 5); hostile > 0; --hostile) {
      std::string name = names[random() % std::size(names)];
      std::string value = bytes(random() % 12);
      // A NUL or a byte 255 spoils any value; keys take any byte, but no "<" left open.
      value += name == "keys" ? "<" : random() % 2 ? std::string(1, '\0') : "\xff";
      if (name == "key-at") value.insert(0, 1, ':');
      switch (random() % 5) {
        case 0: name = bytes(random() % 6) + "\xff"; break;   // no option's name
        case 1: name[random() % name.size()] ^= 0x20; break;  // odd case
        case 2: name.clear(); break;
        case 3: value.insert(0, 100000, '7'); break;
        default: break;
      }
      pairs.push_back(escaped(name) + "=" + escaped(value));
      if (IsClockOption(name)) {
        clockRefused = true;
      } else {
        ++refusals;
      }
    }
    std::shuffle(pairs.begin(), pairs.end(), random);
    std::string query = random() % 2 ? "?" : "";
    for (const std::string& pair : pairs) query.append(pair).append(random() % 4 ? "&" : "&&");
    const PageOptions page = ReadAddress(query);
    const std::string shown = query.substr(0, 400);
    EXPECT_EQ(page.refused.size() + size_t(page.moreRefused), refusals + (clockRefused ? 1 : 0))
        << shown;
    for (const Good* g : given) EXPECT_TRUE(g->taken(page)) << g->pair << " in " << shown;
    ExpectSaneLines(page, shown);
  }
  // Raw bytes, "&", "=", "%" and "+" among them, as an address: none reads past its end.
  const char alphabet[] = "&&==%%+?<>:019afsx-\0\xff";
  for (int address = 0; address < 300; ++address) {
    std::string query;
    for (size_t length = random() % 200; query.size() < length;) {
      query.push_back(alphabet[random() % (sizeof alphabet - 1)]);
    }
    ExpectSaneLines(ReadAddress(query), query);
  }
}

}  // namespace
