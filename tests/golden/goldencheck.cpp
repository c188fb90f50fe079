// goldencheck RENDERER GOLDEN.png TOLERANCE [ARGS...]: runs RENDERER ARGS --out
// NAME-actual.png and compares the frame with GOLDEN.png: the same size, every
// channel of every pixel within TOLERANCE. A frame that differs is kept.
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
  const std::string actual = std::filesystem::path(golden).stem().string() + "-actual.png";
  std::string command = std::string(argv[1]) + " --out " + actual;
  for (int i = 4; i < argc; ++i) command += " '" + std::string(argv[i]) + "'";
  const int status = std::system(command.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "goldencheck: %s did not finish with status 0\n", command.c_str());
    return 1;
  }
  RgbImage expected, made;
  std::string error;
  if (!ReadPng(golden, &expected, &error) || !ReadPng(actual, &made, &error)) {
    std::fprintf(stderr, "goldencheck: %s\n", error.c_str());
    return 1;
  }
  long off = made.width == expected.width && made.height == expected.height ? 0 : -1;
  int worst = 0;
  for (size_t i = 0; off >= 0 && i < made.rgb.size(); ++i) {
    worst = std::max(worst, std::abs(made.rgb[i] - expected.rgb[i]));
    off += std::abs(made.rgb[i] - expected.rgb[i]) > std::atoi(argv[3]) ? 1 : 0;
  }
  if (off != 0) {
    std::fprintf(stderr,
                 "goldencheck: %s: %ld channel values differ (largest by %d), or the size; "
                 "the frame made is kept as %s\n",
                 golden.c_str(), off, worst, std::filesystem::absolute(actual).c_str());
    return 1;
  }
  std::filesystem::remove(actual);
  return 0;
}
