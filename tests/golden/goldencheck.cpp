// goldencheck RENDERER GOLDEN.png TOLERANCE [ARGS...]: runs RENDERER ARGS --out
// NAME-actual.png and compares the frame with GOLDEN.png: the same size, every
// channel of every pixel within TOLERANCE; a frame that differs is kept. With
// WENDRIX_REGENERATE=1 in the environment the frame becomes the new GOLDEN.png.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "image/Png.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: goldencheck RENDERER GOLDEN.png TOLERANCE [RENDERER ARGS...]\n", stderr);
    return 2;
  }
  const std::string golden = argv[2];
  const char* regenerate = std::getenv("WENDRIX_REGENERATE");
  const std::string actual = regenerate != nullptr && std::string(regenerate) == "1"
                                 ? golden
                                 : std::filesystem::path(golden).stem().string() + "-actual.png";
  std::string command = std::string(argv[1]) + " --out '" + actual + "'";
  for (int i = 4; i < argc; ++i) command += " '" + std::string(argv[i]) + "'";
  const int status = std::system(command.c_str());
  RgbImage expected, made;
  std::string error;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !ReadPng(golden, &expected, &error) ||
      !ReadPng(actual, &made, &error)) {
    std::fprintf(stderr, "goldencheck: %s failed: %s\n", command.c_str(), error.c_str());
    return 1;
  }
  long off = made.width == expected.width && made.height == expected.height ? 0 : -1;
  for (size_t i = 0; off >= 0 && i < made.rgb.size(); ++i) {
    off += std::abs(made.rgb[i] - expected.rgb[i]) > std::atoi(argv[3]) ? 1 : 0;
  }
  if (off != 0) {
    std::fprintf(stderr, "goldencheck: %ld channel values differ from %s (-1: the size); kept %s\n",
                 off, golden.c_str(), std::filesystem::absolute(actual).c_str());
    return 1;
  }
  if (actual != golden) std::filesystem::remove(actual);
  return 0;
}
