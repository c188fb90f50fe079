// The manual page's KEYS section and the in-program help page name the same keys.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "text/HelpScreen.h"

namespace {

// One spelling per key: lower case, with Escape under its full name.
std::string Key(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "esc" ? "escape" : name;
}

// A help line names its keys in its first word after any "shift" or "unshifted": names in
// angle brackets ("<Left/Right>") or one or two characters. The unshifted "<>" are the keys
// under < and >, comma and full stop. Longer words (the title, headings, rule) name none.
std::set<std::string> HelpPageKeys() {
  std::set<std::string> keys = {"/"};  // the page names ? alone; / is the same key unshifted
  for (const char* line : kHelpLines) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    const bool unshifted = word == "unshifted";
    if (unshifted || word == "shift") words >> word;
    if (word.size() > 2 && word.front() == '<' && word.back() == '>') {
      std::istringstream names(word.substr(1, word.size() - 2));
      for (std::string name; std::getline(names, name, '/');) keys.insert(Key(name));
    } else if (word.size() <= 2) {
      for (const char c : word) keys.insert(Key({!unshifted ? c : c == '<' ? ',' : '.'}));
    }
  }
  return keys;
}

// The words of the tag of each .TP paragraph under KEYS, less the macro and the quoted
// roman joiners (.BR Left " and " Right), with \- read as a hyphen.
std::set<std::string> ManPageKeys() {
  std::ifstream page(WENDRIX_MAN_PAGE);
  std::set<std::string> keys;
  bool inKeys = false, tag = false;
  for (std::string line; std::getline(page, line); tag = inKeys && line == ".TP") {
    if (line.starts_with(".SH")) inKeys = line == ".SH KEYS";
    if (!tag) continue;
    line = std::regex_replace(std::regex_replace(line, std::regex(R"("[^"]*")"), " "),
                              std::regex(R"(\\-)"), "-");
    std::istringstream words(line);
    std::string word;
    for (words >> word; words >> word;) keys.insert(Key(word));  // the words after the macro
  }
  return keys;
}

TEST(ManPage, ListsTheKeysOfTheHelpPage) {
  const std::set<std::string> help = HelpPageKeys();
  ASSERT_GE(help.size(), 30u) << "the help page's keys were not read";
  EXPECT_EQ(ManPageKeys(), help);
}

}  // namespace
