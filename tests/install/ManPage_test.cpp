// The manual page's KEYS section and the in-program help page name the same keys.
// Each help line names its keys in a column before the description; each entry of
// the manual names its keys in bold in the tag of a .TP paragraph.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/HelpScreen.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// One spelling per key: single characters as themselves (letters lower case), named
// keys by their lower-case name.
std::string KeyName(std::string name) {
  name = Lower(name);
  return name == "esc" ? "escape" : name;
}

// The keys of one help line: "<Left/Right> - ...", "  shift   _+  ...", "        <ESC> ...",
// "unshifted <>  ...". A line whose first word is longer than two characters and not in
// angle brackets (the title, the headings, the rule, the credits) names none.
std::vector<std::string> HelpLineKeys(const std::string& line) {
  std::istringstream words(line);
  std::string word;
  words >> word;
  bool unshifted = false;
  if (word == "shift" || word == "unshifted") {
    unshifted = word == "unshifted";
    words >> word;
  }
  std::vector<std::string> keys;
  if (word.size() > 2 && word.front() == '<' && word.back() == '>') {
    std::istringstream names(word.substr(1, word.size() - 2));
    for (std::string name; std::getline(names, name, '/');) keys.push_back(KeyName(name));
  } else if (!word.empty() && word.size() <= 2) {
    for (const char c : word) {
      // "unshifted <>" are the keys under < and >: comma and full stop.
      const char key = !unshifted ? c : c == '<' ? ',' : c == '>' ? '.' : c;
      keys.push_back(KeyName(std::string(1, key)));
    }
  }
  return keys;
}

// The arguments of a roff macro line, quotes honoured, with the few escapes that
// key names need undone.
std::vector<std::string> MacroArguments(const std::string& line) {
  std::vector<std::string> args;
  size_t i = line.find(' ');
  while (i != std::string::npos && i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    std::string arg;
    const bool quoted = line[i] == '"';
    if (quoted) ++i;
    while (i < line.size() && (quoted ? line[i] != '"' : line[i] != ' ')) {
      if (line.compare(i, 2, "\\-") == 0) {
        arg += '-';
        i += 2;
      } else if (line.compare(i, 2, "\\e") == 0) {
        arg += '\\';
        i += 2;
      } else if (line.compare(i, 2, "\\&") == 0) {
        i += 2;
      } else {
        arg += line[i++];
      }
    }
    if (quoted) ++i;
    args.push_back(arg);
  }
  return args;
}

// The bold words of each tag under KEYS: all arguments of .B, every other one of .BR and .RB.
std::set<std::string> ManPageKeys(const std::string& path, std::string* problem) {
  std::ifstream page(path);
  if (!page) {
    *problem = "cannot read " + path;
    return {};
  }
  std::set<std::string> keys;
  bool inKeys = false;
  bool tagNext = false;
  for (std::string line; std::getline(page, line);) {
    if (line.rfind(".SH", 0) == 0) {
      inKeys = line == ".SH KEYS";
      continue;
    }
    if (!inKeys) continue;
    if (line == ".TP") {
      tagNext = true;
      continue;
    }
    if (!tagNext) continue;
    tagNext = false;
    const std::string macro = line.substr(0, line.find(' '));
    const std::vector<std::string> args = MacroArguments(line);
    for (size_t i = 0; i < args.size(); ++i) {
      const bool bold =
          macro == ".B" || (macro == ".BR" && i % 2 == 0) || (macro == ".RB" && i % 2 == 1);
      if (bold) keys.insert(KeyName(args[i]));
    }
    if (macro != ".B" && macro != ".BR" && macro != ".RB") {
      *problem = "a KEYS tag that names no key in bold: " + line;
    }
  }
  return keys;
}

std::set<std::string> HelpPageKeys() {
  std::set<std::string> keys;
  for (const char* line : kHelpLines) {
    for (const std::string& key : HelpLineKeys(line)) keys.insert(key);
  }
  return keys;
}

std::string Join(const std::set<std::string>& keys) {
  std::string joined;
  for (const std::string& key : keys) joined += " " + key;
  return joined;
}

TEST(ManPage, ListsEveryKeyOfTheHelpPageAndNoOther) {
  std::string problem;
  const std::set<std::string> man = ManPageKeys(WENDRIX_MAN_PAGE, &problem);
  ASSERT_EQ(problem, "");
  std::set<std::string> help = HelpPageKeys();
  ASSERT_GE(help.size(), 30u) << "the help page's keys were not read:" << Join(help);
  help.insert("/");  // the help page names ? alone; / is the same key without shift

  std::set<std::string> missing, extra;
  for (const std::string& key : help) {
    if (!man.contains(key)) missing.insert(key);
  }
  for (const std::string& key : man) {
    if (!help.contains(key)) extra.insert(key);
  }
  EXPECT_TRUE(missing.empty()) << "keys of the help page missing under KEYS:" << Join(missing);
  EXPECT_TRUE(extra.empty()) << "keys under KEYS that the help page lacks:" << Join(extra);
}

}  // namespace
