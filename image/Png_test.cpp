// What a PNG write leaves: after a failure the path as it was, a link and its
// target too; through a link, the target written in place.
#include "image/Png.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

TEST(Png, AFailedWriteLeavesThePathAsItWas) {
  const std::string dir = testing::TempDir() + "wendrix-png-" + std::to_string(getpid());
  fs::create_directories(dir);
  std::vector<uint8_t> pixel = {1, 2, 3},
                       noise(size_t{300} * 300 * 3);  // noise: no compression helps
  std::mt19937 random(1);
  for (uint8_t& byte : noise) byte = static_cast<uint8_t>(random());
  std::string error;
  EXPECT_FALSE(WritePng(dir + "/short.png", 2, 1, pixel, &error));
  // Through a link, with the disk "full": neither the link nor its target is harmed.
  ASSERT_TRUE(WritePng(dir + "/target.png", 1, 1, pixel, &error));
  const std::string before = Bytes(dir + "/target.png");
  fs::create_symlink("target.png", dir + "/link.png");
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  const rlimit full{1000, limit.rlim_max};
  setrlimit(RLIMIT_FSIZE, &full);
  EXPECT_FALSE(WritePng(dir + "/link.png", 300, 300, noise, &error));
  setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_EQ(error, "cannot write " + dir + "/link.png: File too large");
  EXPECT_EQ(Bytes(dir + "/target.png"), before);
  // A write that succeeds goes through the link into the target itself, never renamed
  // onto it, keeps the link and leaves nothing aside.
  struct stat target {};
  stat((dir + "/target.png").c_str(), &target);
  ASSERT_TRUE(WritePng(dir + "/link.png", 300, 300, noise, &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir + "/link.png"));
  struct stat written {};
  stat((dir + "/target.png").c_str(), &written);
  EXPECT_EQ(written.st_ino, target.st_ino);
  RgbImage image;
  ASSERT_TRUE(ReadPng(dir + "/target.png", &image, &error));
  EXPECT_EQ(image.rgb, noise);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2);
  EXPECT_FALSE(ReadPng(dir + "/none.png", &image, &error));
  EXPECT_EQ(error.rfind("cannot read " + dir + "/none.png: ", 0), 0u) << error;
  fs::remove_all(dir);
}

}  // namespace
