// wendrix-render: its arguments as one table, then the real executable run as
// a user runs it, in a folder of its own.
#include "app/Renderer.h"

#include <GL/freeglut_std.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "image/Png.h"

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
  const struct {
    std::vector<std::string> args;
    std::string parsed;
  } cases[] = {
      {{"--out", "a.png"}, "640x480 1@16 0 |a.png"},
      {{"--size=1x1", "--frames", "007", "--frame-ms=0", "--from", "6", "--out", "f%04d.png"},
       "1x1 7@0 6 |f0007.png"},
      {{"--keys", "o<esc><space> <left><right><up><down><lt>>", "--out", "x"},
       "640x480 1@16 0 111,27,32,32,-100,-102,-101,-103,60,62,|x"},
      {{"--frames", "3", "--key-at", "2:oo", "--key-at", "0:", "--out", "%3d%%.png"},
       "640x480 3@16 0 |2:2|0:0|  7%.png"},
      {{"--out", "x", "--help"}, "exit 0"},
      {{"--version", "--bogus"}, "exit 0"},
      {{}, "--out PATH is required"},
      {{"--out"}, "--out needs a value"},
      {{"--out", ""}, "--out needs a file name"},
      {{"--bogus", "--out", "x"}, "unknown argument \"--bogus\""},
      {{"--out", "x", "frames"}, "unknown argument \"frames\""},
      {{"--size", "640", "--out", "x"}, "--size wants WIDTHxHEIGHT, each 1 to 8192, not \"640\""},
      {{"--size", "8193x10", "--out", "x"},
       "--size wants WIDTHxHEIGHT, each 1 to 8192, not \"8193x10\""},
      {{"--frames", "0", "--out", "x"}, "--frames wants a whole number of at least 1, not \"0\""},
      {{"--frames", "2147483648", "--out", "x"},
       "--frames wants a whole number of at least 1, not \"2147483648\""},
      {{"--frame-ms", "+5", "--out", "x"},
       "--frame-ms wants a whole number of milliseconds, not \"+5\""},
      {{"--frames", "2", "--from", "2", "--out", "x"}, "--from 2: the last frame is 1"},
      {{"--keys", "a<esc", "--out", "x"},
       R"(--keys: unterminated key name at "<esc" (write <lt> for "<"))"},
      {{"--keys", "<ESC>", "--out", "x"},
       "--keys: unknown key <ESC> (known: <esc> <space> <left> <right> <up> <down> <lt>)"},
      {{"--frames", "5", "--key-at", "5:o", "--out", "x"}, "--key-at 5: the last frame is 4"},
      {{"--key-at", "x:o", "--out", "x"}, "--key-at wants FRAME:KEYS, not \"x:o\""},
      {{"--out", "f%s.png"}, "--out f%s.png: only %d (as in %04d) and %% may follow a %"},
      {{"--out", "f%d%d.png"}, "--out f%d%d.png has more than one %d"},
      {{"--out", "f%021d.png"}, "frame number width in --out is more than 20"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parsed(c.args), c.parsed) << c.args.size();
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
  int Files() const { return static_cast<int>(std::distance(fs::directory_iterator(dir), {})); }

  const std::string dir = testing::TempDir() + "wendrix-render-" + std::to_string(getpid());
};

TEST_F(Renderer, WritesTheFramesAskedForAtTheSizeAsked) {
  EXPECT_EQ(Render("--size 160x120 --frames 5 --keys sn --out a.png"), "0|");
  EXPECT_EQ(Render("--size 160x120 --frames 5 --keys sn --out b.png --from 4"), "0|");
  RgbImage a, b;
  ASSERT_TRUE(ReadPng(dir + "/a.png", &a, nullptr) && ReadPng(dir + "/b.png", &b, nullptr));
  EXPECT_EQ(a.width * 1000 + a.height, 160120);
  EXPECT_EQ(a.rgb, b.rgb);  // the same arguments, the same pixels
  EXPECT_EQ(Render("--size 32x24 --frames 12 --from 9 --out f%02d.png"), "0|");
  EXPECT_EQ(Files(), 5);
  EXPECT_TRUE(fs::exists(dir + "/f09.png") && fs::exists(dir + "/f11.png"));
}

TEST_F(Renderer, EscapeEndsTheRunWithStatusZeroAfterTheFade) {
  // 2.7 s of fade at 16 ms a frame: about 170 frames, each written.
  EXPECT_EQ(Render("--size 32x24 --frames 400 --keys '<esc>' --out %d.png"), "0|");
  EXPECT_NEAR(Files(), 170, 3);
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
