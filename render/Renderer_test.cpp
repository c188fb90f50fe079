// wendrix-render: its arguments as one table, then the real executable run as
// a user runs it, in a folder of its own.
#include "render/Renderer.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

namespace {

namespace fs = std::filesystem;

// What a parse gives, in one line: "WxH frames@ms from keys...|at keys...|out", or the error.
std::string Parsed(const std::vector<std::string>& args) {
  RenderOptions o;
  std::string error;
  const ParseResult result = ParseRenderArguments(args, &o, &error);
  if (result != ParseResult::kRun) return result == ParseResult::kUsageError ? error : "exit 0";
  std::string line = std::to_string(o.width) + "x" + std::to_string(o.height) + " " +
                     std::to_string(o.frames) + "@" + std::to_string(o.frameMs) + " " +
                     std::to_string(o.from) + " ";
  for (const KeyPress& key : o.keys)
    line += std::to_string(key.special ? -key.code : key.code) + ",";
  for (const TimedKeys& at : o.keyAt)
    line += "|" + std::to_string(at.frame) + ":" + std::to_string(at.keys.size());
  return line + "|" + FramePath(o.pattern, 7);
}

TEST(RenderArguments, EveryCaseOfTheTable) {
  std::ifstream table(WENDRIX_ARGUMENT_TABLE);
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const size_t arrow = line.find("=> ");
    std::vector<std::string> args;
    std::smatch word;
    for (std::string rest = line.substr(0, arrow);
         std::regex_search(rest, word, std::regex("'([^']*)'|(\\S+)")); rest = word.suffix()) {
      args.push_back(word[1].matched ? word[1].str() : word[2].str());
    }
    EXPECT_EQ(Parsed(args), line.substr(arrow + 3)) << line;
    ++cases;
  }
  EXPECT_GT(cases, 20);
}

class Renderer : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  // Runs wendrix-render in the folder; its exit status, then "|" and what it printed.
  std::string Render(const std::string& args, const std::string& wrap = "") const {
    const std::string command =
        "cd " + dir + " && " + wrap + " " WENDRIX_RENDER_BIN " " + args + " > out.txt 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream out(dir + "/out.txt");
    const std::string printed(std::istreambuf_iterator<char>(out), {});
    fs::remove(dir + "/out.txt");
    return std::to_string(WEXITSTATUS(status)) + "|" + printed;
  }

  const std::string dir = testing::TempDir() + "wendrix-render-" + std::to_string(getpid());
};

// The pixels of the frames written are golden frames (tests/golden); here, which are written.
TEST_F(Renderer, WritesTheFramesAskedFor) {
  EXPECT_EQ(Render("--size 32x24 --frames 5 --from 4 --out one.png"), "0|");  // the last, always
  EXPECT_EQ(Render("--size 32x24 --frames 12 --from 9 --out f%02d.png"), "0|");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4);
  EXPECT_TRUE(fs::exists(dir + "/one.png") && fs::exists(dir + "/f09.png") &&
              fs::exists(dir + "/f11.png"));
}

TEST_F(Renderer, AnswersUsersOnTheirTerms) {
  EXPECT_EQ(Render("--out missing/x.png"),
            "1|wendrix-render: cannot write missing/x.png: missing: No such file or directory\n");
  EXPECT_EQ(Render("--out ."), "1|wendrix-render: cannot write .: it is a directory\n");
  EXPECT_EQ(
      Render("--frames 0 --out x.png")
          .rfind("2|wendrix-render: --frames wants a whole number of at least 1, not \"0\"\nusage:",
                 0),
      0u);
  EXPECT_EQ(Render("--version"), "0|wendrix-render 1.0.0\n");
  EXPECT_EQ(Render("--help").rfind("0|usage: wendrix-render [--size WxH]", 0), 0u);
  // A long run to a terminal says how far it has come; to a file it says nothing.
  EXPECT_EQ(Render("--size 1920x1080 --frames 60 --keys '<lt><lt><lt><lt><lt>' --out x.png"), "0|");
  const std::string shown =
      Render("--size 1920x1080 --frames 60 --keys '<lt><lt><lt><lt><lt>' --out x.png\" /dev/null",
             "script -qec \"");
  EXPECT_NE(shown.find("wendrix-render: frame 60 of 60"), std::string::npos) << shown;
}

}  // namespace
