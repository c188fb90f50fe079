// goldencheck RENDERER GOLDEN.png TOLERANCE [ARGS...]: runs RENDERER ARGS
// --out <temporary file> and compares its frame with GOLDEN.png: the same size,
// and every channel of every pixel within TOLERANCE. On a mismatch the frame
// made is kept as NAME-actual.png in the working directory.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "image/Png.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: goldencheck RENDERER GOLDEN.png TOLERANCE [RENDERER ARGS...]\n", stderr);
    return 2;
  }
  const std::string golden = argv[2];
  const int tolerance = std::atoi(argv[3]);
  const std::string name = std::filesystem::path(golden).stem().string();
  const std::string actual = name + "-actual.png";
  std::filesystem::remove(actual);

  std::vector<char*> args = {argv[1]};
  for (int i = 4; i < argc; ++i) args.push_back(argv[i]);
  std::string outOption = "--out";
  std::string outPath = actual;
  args.push_back(outOption.data());
  args.push_back(outPath.data());
  args.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    execv(args[0], args.data());
    std::perror("goldencheck: cannot run the renderer");
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "goldencheck: %s did not finish with status 0\n", argv[1]);
    return 1;
  }

  RgbImage expected, made;
  std::string error;
  if (!ReadPng(golden, &expected, &error) || !ReadPng(actual, &made, &error)) {
    std::fprintf(stderr, "goldencheck: %s\n", error.c_str());
    return 1;
  }
  if (expected.width != made.width || expected.height != made.height) {
    std::fprintf(stderr, "goldencheck: %s is %dx%d, the frame made is %dx%d (kept as %s)\n",
                 golden.c_str(), expected.width, expected.height, made.width, made.height,
                 actual.c_str());
    return 1;
  }
  int worst = 0;
  long off = 0;
  long firstOff = -1;
  for (size_t i = 0; i < made.rgb.size(); ++i) {
    const int difference = std::abs(made.rgb[i] - expected.rgb[i]);
    if (difference > worst) worst = difference;
    if (difference > tolerance) {
      ++off;
      if (firstOff < 0) firstOff = static_cast<long>(i / 3);
    }
  }
  std::printf("goldencheck: %s: %dx%d, largest channel difference %d (tolerance %d)\n",
              name.c_str(), made.width, made.height, worst, tolerance);
  if (off > 0) {
    std::fprintf(stderr,
                 "goldencheck: %ld channel values differ from %s by more than %d, first at "
                 "pixel (%ld, %ld); the frame made is kept as %s\n",
                 off, golden.c_str(), tolerance, firstOff % made.width, firstOff / made.width,
                 std::filesystem::absolute(actual).c_str());
    return 1;
  }
  std::filesystem::remove(actual);
  return 0;
}
