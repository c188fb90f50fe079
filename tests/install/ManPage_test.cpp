// The manual pages against the programs: the KEYS section and the help page
// name the same keys, the pages and the usages the same options; and every
// usage's ranges and defaults filled in.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "glutapp/CommandLine.h"
#include "render/RenderOptions.h"
#include "saver/SaverOptions.h"
#include "text/HelpScreen.h"

namespace {

// One spelling per key: lower case, with Escape under its full name.
std::string Key(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "esc" ? "escape" : name;
}

TEST(ManPage, ListsTheKeysOfTheHelpPage) {
  // A help line names its keys in its first word after "shift" or "unshifted": names in angle
  // brackets ("<Left/Right>") or one or two characters; unshifted "<>" are comma and full stop.
  std::set<std::string> help = {"/"}, manual;  // the page names ? alone; / is the same key
  for (const char* line : kHelpLines) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    const bool unshifted = word == "unshifted";
    if (unshifted || word == "shift") words >> word;
    if (word.size() > 2 && word.front() == '<' && word.back() == '>') {
      std::istringstream names(word.substr(1, word.size() - 2));
      for (std::string name; std::getline(names, name, '/');) help.insert(Key(name));
    } else if (word.size() <= 2) {
      for (const char c : word) help.insert(Key({!unshifted ? c : c == '<' ? ',' : '.'}));
    }
  }
  // The words of each .TP tag under KEYS, less the macro and the quoted joiners
  // (.BR Left " and " Right), with \- read as a hyphen.
  std::ifstream page(WENDRIX_MAN_PAGE);
  bool inKeys = false, tag = false;
  for (std::string line; std::getline(page, line); tag = inKeys && line == ".TP") {
    if (line.starts_with(".SH")) inKeys = line == ".SH KEYS";
    if (!tag) continue;
    std::istringstream words(std::regex_replace(
        std::regex_replace(line, std::regex(R"("[^"]*")"), " "), std::regex(R"(\\-)"), "-"));
    std::string word;
    for (words >> word; words >> word;) manual.insert(Key(word));
  }
  ASSERT_GE(help.size(), 30u) << "the help page's keys were not read";
  EXPECT_EQ(manual, help);
}

// The long options a text names, its \- read as a hyphen.
std::set<std::string> Options(const std::string& text) {
  const std::string plain = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> names;
  const std::regex option("--[a-z][a-z-]*");
  for (std::sregex_iterator it(plain.begin(), plain.end(), option), end; it != end; ++it)
    names.insert(it->str());
  return names;
}

TEST(ManPage, NamesTheOptionsOfTheUsages) {
  std::ifstream page(WENDRIX_MAN_PAGE), saverPage(WENDRIX_SAVER_MAN_PAGE);
  std::string renderer, saver((std::istreambuf_iterator<char>(saverPage)), {});
  bool inRenderer = false;  // the renderer's own section of wendrix.6
  for (std::string line; std::getline(page, line);) {
    if (line.starts_with(".SH")) inRenderer = line == ".SH WENDRIX\\-RENDER";
    if (inRenderer) renderer += line + "\n";
  }
  EXPECT_EQ(Options(renderer), Options(RenderUsage()));
  EXPECT_EQ(Options(saver), Options(SaverUsage()));
}

// A blank is a lower-case name in braces; the keys' "{}" in wendrix's usage is none.
TEST(ManPage, TheUsagesLeaveNoBlankUnfilled) {
  for (const std::string& usage : {WendrixUsage(), RenderUsage(), SaverUsage()}) {
    EXPECT_FALSE(std::regex_search(usage, std::regex(R"(\{[a-z][a-z ]*\})"))) << usage;
  }
}

}  // namespace
