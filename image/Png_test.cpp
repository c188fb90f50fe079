// PNG writing and reading back, and the failures a renderer user meets.
#include "image/Png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

std::string TempDir() {
  char name[] = "/tmp/wendrix-png-XXXXXX";
  const char* made = mkdtemp(name);
  EXPECT_NE(made, nullptr);
  return made != nullptr ? made : "/tmp";
}

TEST(Png, WritesRgbTopRowFirstAndReadsItBack) {
  const std::string dir = TempDir();
  const std::string path = dir + "/three.png";
  // 3 x 2: red green blue over black grey white; an odd row length of 9 bytes.
  const std::vector<uint8_t> rgb = {255, 0, 0, 0,   255, 0,   0,   0,   255,
                                    0,   0, 0, 128, 128, 128, 255, 255, 255};
  std::string error;
  ASSERT_TRUE(WritePng(path, 3, 2, rgb, &error)) << error;
  RgbImage image;
  ASSERT_TRUE(ReadPng(path, &image, &error)) << error;
  EXPECT_EQ(image.width, 3);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.rgb, rgb);
  // The file really is a PNG: its eight-byte signature.
  std::ifstream file(path, std::ios::binary);
  char signature[8] = {};
  file.read(signature, 8);
  EXPECT_EQ(std::string(signature, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::filesystem::remove_all(dir);
}

TEST(Png, TheSameImageGivesTheSameBytes) {
  const std::string dir = TempDir();
  std::vector<uint8_t> rgb(size_t{64} * 48 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  ASSERT_TRUE(WritePng(dir + "/a.png", 64, 48, rgb, nullptr));
  ASSERT_TRUE(WritePng(dir + "/b.png", 64, 48, rgb, nullptr));
  auto bytes = [](const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  EXPECT_EQ(bytes(dir + "/a.png"), bytes(dir + "/b.png"));
  std::filesystem::remove_all(dir);
}

TEST(Png, WriteFailuresNameThePathAndLeaveNoFile) {
  const std::string dir = TempDir();
  std::string error;
  const std::vector<uint8_t> pixel = {1, 2, 3};
  EXPECT_FALSE(WritePng(dir + "/missing/x.png", 1, 1, pixel, &error));
  EXPECT_NE(error.find("cannot write " + dir + "/missing/x.png: No such file or directory"),
            std::string::npos)
      << error;
  EXPECT_FALSE(WritePng(dir, 1, 1, pixel, &error));  // a directory
  EXPECT_NE(error.find("cannot write " + dir), std::string::npos) << error;
  EXPECT_FALSE(WritePng(dir + "/short.png", 2, 1, pixel, &error));
  EXPECT_FALSE(std::filesystem::exists(dir + "/short.png"));
  EXPECT_FALSE(WritePng(dir + "/empty.png", 0, 0, {}, &error));
  EXPECT_FALSE(std::filesystem::exists(dir + "/empty.png"));
  std::filesystem::remove_all(dir);
}

TEST(Png, ReadFailuresNameThePath) {
  const std::string dir = TempDir();
  std::string error;
  RgbImage image;
  EXPECT_FALSE(ReadPng(dir + "/none.png", &image, &error));
  EXPECT_NE(error.find(dir + "/none.png"), std::string::npos) << error;
  std::ofstream(dir + "/text.png") << "not a png";
  EXPECT_FALSE(ReadPng(dir + "/text.png", &image, &error));
  EXPECT_EQ(image.width, 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
