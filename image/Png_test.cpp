// PNG files written and read back, and what a failed write leaves.
#include "image/Png.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

struct ScratchDir {
  ScratchDir() { fs::create_directories(path); }
  ~ScratchDir() { fs::remove_all(path); }
  const std::string path = testing::TempDir() + "wendrix-png-" + std::to_string(getpid());
};

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(Png, WritesRgbTopRowFirstAndReadsItBack) {
  const ScratchDir dir;
  // 3 x 2, an odd row length of 9 bytes.
  const std::vector<uint8_t> rgb = {255, 0, 0, 0,   255, 0,   0,   0,   255,
                                    0,   0, 0, 128, 128, 128, 255, 255, 255};
  std::string error;
  ASSERT_TRUE(WritePng(dir.path + "/a.png", 3, 2, rgb, &error)) << error;
  RgbImage image;
  ASSERT_TRUE(ReadPng(dir.path + "/a.png", &image, &error)) << error;
  EXPECT_EQ(image.width * 10 + image.height, 32);
  EXPECT_EQ(image.rgb, rgb);
  EXPECT_EQ(Bytes(dir.path + "/a.png").substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_FALSE(ReadPng(dir.path + "/none.png", &image, &error));
  EXPECT_NE(error.find(dir.path + "/none.png"), std::string::npos) << error;
}

TEST(Png, AFailedWriteLeavesThePathAsItWas) {
  const ScratchDir dir;
  const std::vector<uint8_t> pixel = {1, 2, 3};
  std::vector<uint8_t> big(300 * 300 * 3);  // noise, which no compression shrinks below the limit
  std::mt19937 noise(1);
  for (uint8_t& byte : big) byte = static_cast<uint8_t>(noise());
  std::string error;
  EXPECT_FALSE(WritePng(dir.path + "/missing/x.png", 1, 1, pixel, &error));
  EXPECT_EQ(error, "cannot write " + dir.path + "/missing/x.png: No such file or directory");
  EXPECT_FALSE(WritePng(dir.path, 1, 1, pixel, &error));
  EXPECT_EQ(error.rfind("cannot write " + dir.path + ": ", 0), 0u) << error;
  EXPECT_FALSE(WritePng(dir.path + "/short.png", 2, 1, pixel, &error));
  // Through a link, with the disk "full": neither the link nor its target is harmed.
  ASSERT_TRUE(WritePng(dir.path + "/target.png", 1, 1, pixel, &error));
  const std::string before = Bytes(dir.path + "/target.png");
  fs::create_symlink("target.png", dir.path + "/link.png");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{1000, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &full);
  EXPECT_FALSE(WritePng(dir.path + "/link.png", 300, 300, big, &error));
  setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_EQ(error, "cannot write " + dir.path + "/link.png: File too large");
  EXPECT_TRUE(fs::is_symlink(dir.path + "/link.png"));
  EXPECT_EQ(Bytes(dir.path + "/target.png"), before);
  // A write that succeeds replaces the target and keeps the link.
  ASSERT_TRUE(WritePng(dir.path + "/link.png", 300, 300, big, &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir.path + "/link.png"));
  EXPECT_GT(fs::file_size(dir.path + "/target.png"), before.size());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 2);  // nothing left aside
}

}  // namespace
