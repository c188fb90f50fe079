// wendrix-render: its arguments and keys as one table of cases, then the real
// executable run as a user runs it, each run a process of its own.
#include "app/Renderer.h"

#include <GL/freeglut_std.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "image/Png.h"

namespace {

// --- parsing: one table ---

std::string KeyText(const std::vector<KeyPress>& keys) {
  std::string text;
  for (const KeyPress& key : keys) {
    if (key.special) {
      text += key.code == GLUT_KEY_LEFT    ? "<left>"
              : key.code == GLUT_KEY_RIGHT ? "<right>"
              : key.code == GLUT_KEY_UP    ? "<up>"
              : key.code == GLUT_KEY_DOWN  ? "<down>"
                                           : "<special " + std::to_string(key.code) + ">";
    } else if (key.code == 27) {
      text += "<esc>";
    } else if (key.code == ' ') {
      text += "<space>";
    } else if (key.code == '<') {
      text += "<lt>";
    } else {
      text += static_cast<char>(key.code);
    }
  }
  return text;
}

// Everything parsed, in one line, so that each case states all of it.
std::string Describe(const RenderOptions& o) {
  std::ostringstream line;
  line << o.width << "x" << o.height << " " << o.frames << "@" << o.frameMs << "ms";
  line << " keys=" << KeyText(o.keys);
  for (const TimedKeys& timed : o.keyAt) line << " at" << timed.frame << "=" << KeyText(timed.keys);
  line << " out=" << o.pattern.prefix;
  if (o.pattern.numbered) {
    line << "[" << (o.pattern.zeroPad ? "0" : "") << o.pattern.width << "d]" << o.pattern.suffix;
  }
  return line.str();
}

struct ParseCase {
  std::vector<std::string> args;
  // A run: what Describe gives; "help"; or a usage error: "error: " and part of its reason.
  std::string expected;
};

const ParseCase kParseCases[] = {
    // Good: defaults, every option, both spellings of a value.
    {{"--out", "a.png"}, "640x480 1@16ms keys= out=a.png"},
    {{"--size", "320x240", "--frames", "10", "--frame-ms", "40", "--out", "f%04d.png"},
     "320x240 10@40ms keys= out=f[04d].png"},
    {{"--size=1x1", "--frames=007", "--frame-ms=0", "--out=x.png"}, "1x1 7@0ms keys= out=x.png"},
    {{"--size", "8192x8192", "--out", "x"}, "8192x8192 1@16ms keys= out=x"},
    {{"--out", "x", "--frame-ms", "2147483647"}, "640x480 1@2147483647ms keys= out=x"},
    // Keys: characters, the six names, <lt>; a lone ">" and a space are keys too.
    {{"--keys", "o<esc><space> <left><right><up><down><lt>>?", "--out", "x"},
     "640x480 1@16ms keys=o<esc><space><space><left><right><up><down><lt>>? out=x"},
    {{"--keys", "", "--out", "x"}, "640x480 1@16ms keys= out=x"},
    {{"--frames", "3", "--key-at", "2:oo", "--key-at", "0:<up>", "--key-at", "2:l", "--out", "x"},
     "640x480 3@16ms keys= at2=oo at0=<up> at2=l out=x"},
    {{"--key-at", "0:", "--out", "x"}, "640x480 1@16ms keys= at0= out=x"},
    {{"--key-at", "0::", "--out", "x"}, "640x480 1@16ms keys= at0=: out=x"},
    // PATH: %% is a percent sign, %d with a width and zero padding numbers frames.
    {{"--out", "100%%.png"}, "640x480 1@16ms keys= out=100%.png"},
    {{"--out", "a%d%%b.png"}, "640x480 1@16ms keys= out=a[0d]%b.png"},
    {{"--out", "dir/%5d.png"}, "640x480 1@16ms keys= out=dir/[5d].png"},
    {{"--out", "x", "--help"}, "help"},
    {{"-h"}, "help"},
    // Bad.
    {{}, "error: --out PATH is required"},
    {{"--frames", "2"}, "error: --out PATH is required"},
    {{"--out"}, "error: --out needs a value"},
    {{"--out", ""}, "error: --out needs a file name"},
    {{"--out", "a", "--out", "b"}, "error: --out given twice"},
    {{"--bogus", "--out", "x"}, "error: unknown argument \"--bogus\""},
    {{"frames", "--out", "x"}, "error: unknown argument \"frames\""},
    {{"-s", "10x10", "--out", "x"}, "error: unknown argument \"-s\""},
    {{"--size", "640", "--out", "x"}, "error: --size wants WIDTHxHEIGHT"},
    {{"--size", "640x", "--out", "x"}, "error: --size wants"},
    {{"--size", "0x480", "--out", "x"}, "error: --size wants"},
    {{"--size", "-640x480", "--out", "x"}, "error: --size wants"},
    {{"--size", "640X480", "--out", "x"}, "error: --size wants"},
    {{"--size", "640x480x2", "--out", "x"}, "error: --size wants"},
    {{"--size", "8193x10", "--out", "x"}, "error: --size wants"},
    {{"--size", " 64x48", "--out", "x"}, "error: --size wants"},
    {{"--size", "1x1", "--size", "2x2", "--out", "x"}, "error: --size given twice"},
    {{"--frames", "0", "--out", "x"}, "error: --frames wants a whole number of at least 1"},
    {{"--frames", "-1", "--out", "x"}, "error: --frames wants"},
    {{"--frames", "1.5", "--out", "x"}, "error: --frames wants"},
    {{"--frames", "2147483648", "--out", "x"}, "error: --frames wants"},
    {{"--frames", "", "--out", "x"}, "error: --frames wants"},
    {{"--frame-ms", "abc", "--out", "x"}, "error: --frame-ms wants"},
    {{"--frame-ms", "+5", "--out", "x"}, "error: --frame-ms wants"},
    {{"--keys", "<esc", "--out", "x"}, "error: --keys: unterminated key name at \"<esc\""},
    {{"--keys", "a<", "--out", "x"}, "error: --keys: unterminated key name"},
    {{"--keys", "<ESC>", "--out", "x"}, "error: --keys: unknown key <ESC>"},
    {{"--keys", "<>", "--out", "x"}, "error: --keys: unknown key <>"},
    {{"--keys", "<escape>", "--out", "x"}, "error: --keys: unknown key <escape>"},
    {{"--keys", "a", "--keys", "b", "--out", "x"}, "error: --keys given twice"},
    {{"--key-at", "1:o", "--out", "x"}, "error: --key-at 1: the last frame is 0"},
    {{"--frames", "5", "--key-at", "5:o", "--out", "x"}, "error: --key-at 5: the last frame is 4"},
    {{"--key-at", "o", "--out", "x"}, "error: --key-at wants FRAME:KEYS"},
    {{"--key-at", ":o", "--out", "x"}, "error: --key-at wants FRAME:KEYS"},
    {{"--key-at", "x:o", "--out", "x"}, "error: --key-at wants FRAME:KEYS"},
    {{"--key-at", "0:<up", "--out", "x"}, "error: --key-at: unterminated key name"},
    {{"--out", "f%s.png"}, "error: only %d (as in %04d) and %% may follow a %"},
    {{"--out", "50%"}, "error: only %d"},
    {{"--out", "f%-4d.png"}, "error: only %d"},
    {{"--out", "f%ld.png"}, "error: only %d"},
    {{"--out", "f%d%d.png"}, "error: has more than one %d"},
    {{"--out", "f%021d.png"}, "error: frame number width in --out is more than 20"},
};

TEST(RenderArguments, EveryCaseOfTheTable) {
  for (const ParseCase& test : kParseCases) {
    std::string joined;
    for (const std::string& arg : test.args) joined += " [" + arg + "]";
    SCOPED_TRACE("arguments:" + joined);
    RenderOptions options;
    std::string error;
    const ParseResult result = ParseRenderArguments(test.args, &options, &error);
    if (test.expected == "help") {
      EXPECT_EQ(result, ParseResult::kHelp);
    } else if (test.expected.rfind("error: ", 0) == 0) {
      EXPECT_EQ(result, ParseResult::kUsageError);
      EXPECT_NE(error.find(test.expected.substr(7)), std::string::npos) << "reason: " << error;
    } else {
      ASSERT_EQ(result, ParseResult::kRun) << error;
      EXPECT_EQ(Describe(options), test.expected);
    }
  }
}

TEST(RenderArguments, FramePathsFollowPrintf) {
  OutputPattern pattern;
  ASSERT_TRUE(ParseOutputPattern("out/f%04d.png", &pattern, nullptr));
  EXPECT_EQ(FramePath(pattern, 0), "out/f0000.png");
  EXPECT_EQ(FramePath(pattern, 123456), "out/f123456.png");
  ASSERT_TRUE(ParseOutputPattern("%3d%%", &pattern, nullptr));
  EXPECT_EQ(FramePath(pattern, 7), "  7%");
  ASSERT_TRUE(ParseOutputPattern("%d", &pattern, nullptr));
  EXPECT_EQ(FramePath(pattern, 42), "42");
  ASSERT_TRUE(ParseOutputPattern("still.png", &pattern, nullptr));
  EXPECT_EQ(FramePath(pattern, 5), "still.png");
}

// --- the executable ---

struct RunResult {
  int status = -1;  // exit code; -1 when it did not exit normally
  std::string out;
  std::string err;
};

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

class Renderer : public testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/wendrix-render-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Runs wendrix-render with args, in the test's own folder.
  RunResult Render(const std::vector<std::string>& args) const {
    const std::string outPath = Path(".stdout"), errPath = Path(".stderr");
    const pid_t child = fork();
    if (child == 0) {
      const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, 1);
      dup2(err, 2);
      if (chdir(dir_.c_str()) != 0) _exit(126);
      std::vector<char*> argv = {const_cast<char*>(WENDRIX_RENDER_BIN)};
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    RunResult run;
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
      run.status = WEXITSTATUS(status);
    }
    run.out = ReadAll(outPath);
    run.err = ReadAll(errPath);
    return run;
  }

  RgbImage Load(const std::string& name) const {
    RgbImage image;
    std::string error;
    EXPECT_TRUE(ReadPng(Path(name), &image, &error)) << error;
    return image;
  }

  std::string dir_;
};

// Pixels with a lot of red: white text, where the default scheme has no red at all.
int RedPixels(const RgbImage& image, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1 && y < image.height; ++y) {
    for (int x = x0; x < x1 && x < image.width; ++x) {
      if (image.rgb[(static_cast<size_t>(y) * image.width + x) * 3] > 128) ++count;
    }
  }
  return count;
}

// Pixels with any green below row y0; colour scheme 1 has none.
int GreenPixelsBelow(const RgbImage& image, int y0) {
  int count = 0;
  for (int y = y0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.rgb[(static_cast<size_t>(y) * image.width + x) * 3 + 1] > 8) ++count;
    }
  }
  return count;
}

// The mean of every channel from row y0 down.
double MeanLevel(const RgbImage& image, int y0 = 0) {
  const size_t begin = static_cast<size_t>(y0) * image.width * 3;
  double sum = 0;
  for (size_t i = begin; i < image.rgb.size(); ++i) sum += image.rgb[i];
  return image.rgb.size() <= begin ? 0.0 : sum / static_cast<double>(image.rgb.size() - begin);
}

TEST_F(Renderer, TwoRunsWriteTheSameFileAtTheSizeAsked) {
  const std::vector<std::string> args = {"--size", "160x120", "--frames", "5", "--keys", "sn"};
  auto withOut = [&](const std::string& name) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--out", name});
    return all;
  };
  ASSERT_EQ(Render(withOut("a.png")).status, 0);
  ASSERT_EQ(Render(withOut("b.png")).status, 0);
  EXPECT_EQ(ReadAll(Path("a.png")), ReadAll(Path("b.png")));
  const RgbImage image = Load("a.png");
  EXPECT_EQ(image.width, 160);
  EXPECT_EQ(image.height, 120);
  EXPECT_GT(MeanLevel(image), 10.0);  // a picture, not a cleared buffer
}

TEST_F(Renderer, APercentDPathWritesEveryFrameOtherwiseTheLast) {
  ASSERT_EQ(
      Render({"--size", "96x64", "--frames", "3", "--frame-ms", "40", "--out", "f%02d.png"}).status,
      0);
  for (const char* name : {"f00.png", "f01.png", "f02.png"}) {
    EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("f03.png")));
  ASSERT_EQ(
      Render({"--size", "96x64", "--frames", "3", "--frame-ms", "40", "--out", "last.png"}).status,
      0);
  EXPECT_EQ(Load("last.png").rgb, Load("f02.png").rgb);
  // Frame 0 runs with a zero step; from frame 1 the ripples move.
  EXPECT_NE(Load("f00.png").rgb, Load("f02.png").rgb);
}

TEST_F(Renderer, FrameIIsDrawnAtITimesTheFrameTime) {
  // The start message lasts three seconds on the frame clock: frame 1 at 16 ms
  // still shows it, frame 1 at 3000 ms is the frame that clears it.
  ASSERT_EQ(Render({"--size", "320x96", "--frames", "2", "--out", "short%d.png"}).status, 0);
  ASSERT_EQ(
      Render({"--size", "320x96", "--frames", "2", "--frame-ms", "2999", "--out", "before%d.png"})
          .status,
      0);
  ASSERT_EQ(Render({"--size", "320x96", "--frames", "2", "--frame-ms", "3000", "--out", "at%d.png"})
                .status,
            0);
  EXPECT_GT(RedPixels(Load("short0.png"), 0, 0, 300, 30), 100);
  EXPECT_GT(RedPixels(Load("short1.png"), 0, 0, 300, 30), 100);
  EXPECT_GT(RedPixels(Load("before1.png"), 0, 0, 300, 30), 100);
  EXPECT_EQ(RedPixels(Load("at1.png"), 0, 0, 320, 96), 0);
}

TEST_F(Renderer, KeysAtAFrameAreTypedJustBeforeIt) {
  ASSERT_EQ(Render({"--size", "128x96", "--frames", "3", "--out", "plain%d.png"}).status, 0);
  ASSERT_EQ(
      Render({"--size", "128x96", "--frames", "3", "--key-at", "2:o", "--out", "o%d.png"}).status,
      0);
  EXPECT_EQ(Load("o0.png").rgb, Load("plain0.png").rgb);
  EXPECT_EQ(Load("o1.png").rgb, Load("plain1.png").rgb);
  // Scheme 0 has green where the value passes 0.5; scheme 1 ("o") has none.
  EXPECT_GT(GreenPixelsBelow(Load("plain2.png"), 30), 500);
  EXPECT_EQ(GreenPixelsBelow(Load("o2.png"), 30), 0);
  // --keys are typed before frame 0, the special keys through their own handler.
  ASSERT_EQ(Render({"--size", "128x96", "--keys", "o", "--out", "first.png"}).status, 0);
  EXPECT_EQ(GreenPixelsBelow(Load("first.png"), 30), 0);
  ASSERT_EQ(Render({"--size", "128x96", "--keys", "<right>", "--out", "right.png"}).status, 0);
  EXPECT_NE(Load("right.png").rgb,
            Load("plain0.png").rgb);  // "Main Speed: 1.11" over the start hint
}

TEST_F(Renderer, FullScreenKeysKeepTheSize) {
  ASSERT_EQ(Render({"--size", "200x100", "--frames", "2", "--out", "plain.png"}).status, 0);
  ASSERT_EQ(Render({"--size", "200x100", "--frames", "2", "--keys", "f", "--key-at", "1:F", "--out",
                    "f.png"})
                .status,
            0);
  const RgbImage image = Load("f.png");
  EXPECT_EQ(image.width, 200);
  EXPECT_EQ(image.height, 100);
  EXPECT_EQ(image.rgb, Load("plain.png").rgb);
}

TEST_F(Renderer, EscapeFadesOutAndEndsWithExitCodeZero) {
  // From 0.999, by 0.35 per second at 16 ms a frame from frame 1 on: below 0.05
  // on frame 170, which is never shown; frames 0 to 169 are written.
  const RunResult run =
      Render({"--size", "64x64", "--frames", "400", "--keys", "<esc>", "--out", "e%03d.png"});
  EXPECT_EQ(run.status, 0) << run.err;
  int written = 0;
  auto name = [](int frame) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "e%03d.png", frame);
    return std::string(buffer);
  };
  while (std::filesystem::exists(Path(name(written)))) ++written;
  EXPECT_EQ(written, 170);
  // Below the start message, which is not faded: the picture at about 5%.
  const RgbImage first = Load(name(0));
  const RgbImage last = Load(name(written - 1));
  EXPECT_GT(MeanLevel(first, 30), 10.0);
  EXPECT_LT(MeanLevel(last, 30), MeanLevel(first, 30) * 0.08);

  // One PATH: the last frame drawn before the exit is the one written.
  const RunResult single =
      Render({"--size", "64x64", "--frames", "400", "--keys", "<esc>", "--out", "last.png"});
  EXPECT_EQ(single.status, 0) << single.err;
  EXPECT_EQ(Load("last.png").rgb, last.rgb);
}

TEST_F(Renderer, AnUnwritablePathIsAClearError) {
  RunResult run = Render({"--size", "32x32", "--out", Path("missing/x.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("wendrix-render: cannot write " + Path("missing/x.png")),
            std::string::npos)
      << run.err;
  run = Render({"--size", "32x32", "--out", dir_});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("is a directory"), std::string::npos) << run.err;
  // A file where a folder should be: found at once, before any frame is drawn.
  std::ofstream(Path("plain")) << "x";
  run = Render({"--size", "32x32", "--frames", "2", "--out", "plain/f%d.png"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot write plain/f0.png"), std::string::npos) << run.err;
}

TEST_F(Renderer, WrongArgumentsGiveTheUsageAndStatusTwo) {
  RunResult run = Render({"--frames", "0", "--out", "x.png"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("wendrix-render: --frames wants"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("usage: wendrix-render [--size WxH]"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
  run = Render({});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("usage:"), std::string::npos);
  run = Render({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, RenderUsage());
  EXPECT_EQ(run.err, "");
}

}  // namespace
