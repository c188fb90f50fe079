// Start-up with a font.bmp that is anything but a font: the real atlas cut short
// at every header byte and across its pixels, the wrong magic, absurd sizes,
// depths and compressions the loader does not read, a directory, no file at all.
// The program must start, draw and end as it always does, with blocks for text.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/FontPath.h"
#include "app/Shell.h"
#include "image/Bmp.h"
#include "tests/robust/Program.h"
#include "tests/support/GlTest.h"
#include "text/TextOverlay.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RealFont() {
  std::ifstream in(WENDRIX_FONT_FIXTURE, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

enum class Kind { File, Directory, Missing };

struct BadFont {
  std::string name;
  Bytes bytes;
  Kind kind = Kind::File;
};

Bytes Patched(Bytes bytes, size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  return bytes;
}

std::vector<BadFont> BadFonts() {
  const Bytes real = RealFont();
  EXPECT_EQ(real.size(), 54u + 512 * 512 * 4) << "the atlas is not the 512x512 32-bit file";
  std::vector<BadFont> out;
  auto cut = [&](size_t length) {
    const auto end = real.begin() + static_cast<std::ptrdiff_t>(length);
    out.push_back({"cut at " + std::to_string(length), Bytes(real.begin(), end)});
  };
  for (size_t length = 0; length <= 58; ++length) cut(length);  // every header byte, one pixel
  const size_t row = size_t{512} * 4;
  for (size_t r = 1; r < 512; r += 51) {
    for (size_t length : {54 + r * row - 1, 54 + r * row, 54 + r * row + 1}) cut(length);
  }
  cut(real.size() - 1);

  const struct {
    const char* name;
    size_t at;
    uint32_t value;
    int width;
  } patches[] = {
      {"magic BA", 1, 'A', 1},
      {"magic MB", 0, 'M' | 'B' << 8, 2},
      {"magic bm", 0, 'b' | 'm' << 8, 2},
      {"magic zero", 0, 0, 2},
      {"width 0", 18, 0, 4},
      {"width -512", 18, static_cast<uint32_t>(-512), 4},
      {"width 2^31-1", 18, 0x7FFFFFFF, 4},
      {"width 2^30", 18, 0x40000000, 4},
      {"width 32767", 18, 32767, 4},
      {"height 0", 22, 0, 4},
      {"height 2^31-1", 22, 0x7FFFFFFF, 4},
      {"height -2^31", 22, 0x80000000, 4},
      {"height 65536", 22, 65536, 4},
      {"bits 0", 28, 0, 2},
      {"bits 1", 28, 1, 2},
      {"bits 4", 28, 4, 2},
      {"bits 16", 28, 16, 2},
      {"bits 64", 28, 64, 2},
      {"compression 1 (RLE8)", 30, 1, 4},
      {"compression 2 (RLE4)", 30, 2, 4},
      {"compression 3 (bit fields)", 30, 3, 4},
      {"compression 4 (JPEG)", 30, 4, 4},
      {"compression 5 (PNG)", 30, 5, 4},
      {"pixels past the end", 10, 0x7FFFFFFF, 4},
      {"pixels at the end", 10, static_cast<uint32_t>(real.size()), 4},
  };
  for (const auto& p : patches) out.push_back({p.name, Patched(real, p.at, p.value, p.width)});
  // Both dimensions at once: 32767 x 32767 x 4 bytes just fits 32 bits, 65536 x 65536 does not.
  out.push_back({"32767 x 32767", Patched(Patched(real, 18, 32767, 4), 22, 32767, 4)});
  out.push_back({"65536 x -65536", Patched(Patched(real, 18, 65536, 4), 22, -65536u, 4)});
  out.push_back({"a directory", {}, Kind::Directory});
  out.push_back({"no file", {}, Kind::Missing});
  return out;
}

// A scratch working directory, left again afterwards.
class WorkingDirectory {
 public:
  WorkingDirectory() {
    std::string pattern = testing::TempDir() + "wendrix-font-XXXXXX";
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : "";
    EXPECT_FALSE(path_.empty());
    EXPECT_NE(getcwd(previous_, sizeof previous_), nullptr);
    EXPECT_EQ(chdir(path_.c_str()), 0);
  }
  ~WorkingDirectory() {
    Remove();
    EXPECT_EQ(chdir(previous_), 0);
    rmdir(path_.c_str());
  }

  static void Place(const BadFont& font) {
    Remove();
    if (font.kind == Kind::Directory) {
      ASSERT_EQ(mkdir("font.bmp", 0755), 0);
    } else if (font.kind == Kind::File) {
      std::ofstream out("font.bmp", std::ios::binary);
      out.write(reinterpret_cast<const char*>(font.bytes.data()),
                static_cast<std::streamsize>(font.bytes.size()));
    }
  }
  static void Remove() {
    std::remove("font.bmp");
    rmdir("font.bmp");
  }

 private:
  std::string path_;
  char previous_[4096] = {};
};

// Whether a font lies in one of the places tried after the working directory.
bool FontBeyondTheWorkingDirectory() {
  const std::vector<std::string> candidates = FontCandidates(ExecutableDir());
  for (size_t i = 1; i < candidates.size(); ++i) {
    Image image;
    if (image.load(candidates[i].c_str(), LoadBmp)) return true;
  }
  return false;
}

size_t Colours() {
  const std::vector<uint8_t> rgb = TestWindow().ReadRgb();
  std::set<uint32_t> colours;
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    colours.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
  return colours.size();
}

// Start-up, then frames with a message, the frame-rate line and the help page.
void StartAndDraw() {
  StartProgram(160, 120);
  DisplayAt(16);
  TestWindow().Key('?');
  DisplayAt(32);
  TestWindow().Key('c');
  DisplayAt(48);
  TestWindow().Key('?');
  DisplayAt(64);
}

TEST(BadFont, TheProgramStartsAndDrawsWhateverFontBmpHolds) {
  const bool fallback = FontBeyondTheWorkingDirectory();
  WorkingDirectory directory;
  for (const BadFont& font : BadFonts()) {
    SCOPED_TRACE(font.name);
    WorkingDirectory::Place(font);
    Image probe;
    ASSERT_FALSE(LoadBmp("font.bmp", &probe)) << "not a bad file after all";
    const int swaps = TestWindow().swaps;
    StartAndDraw();
    EXPECT_EQ(overlay.font.id != 0, fallback) << "font holder " << overlay.font.id;
    EXPECT_EQ(TestWindow().swaps, swaps + 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_GT(Colours(), 10u) << "no ripples drawn";
    EXPECT_STREQ(overlay.lastText, "Frame/Second Clock On");
  }
}

// With the bad file in place: start, draw, Escape, and frames until the fade ends it.
void StartDrawAndQuit(const BadFont& font) {
  WorkingDirectory directory;
  WorkingDirectory::Place(font);
  StartAndDraw();
  TestWindow().Key(27);
  std::atexit([] { std::fprintf(stderr, "ended cleanly\n"); });
  for (int64_t ms = 1000; ms < 10000; ms += 16) DisplayAt(ms);
  std::fprintf(stderr, "still running\n");
  std::exit(3);
}

TEST(BadFont, TheProgramEndsCleanlyAfterABadStart) {
  for (const BadFont& font : BadFonts()) {
    if (font.name != "cut at 30" && font.name != "65536 x -65536" && font.name != "bits 16" &&
        font.name != "compression 1 (RLE8)" && font.name != "a directory" &&
        font.name != "no file") {
      continue;
    }
    SCOPED_TRACE(font.name);
    EXPECT_EXIT(StartDrawAndQuit(font), testing::ExitedWithCode(0), "ended cleanly");
  }
}

}  // namespace
