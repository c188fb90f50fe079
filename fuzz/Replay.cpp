// Replays files and directories of inputs through LoadBmp without libFuzzer, so
// every build checks the seeds, the grown corpus and every crash ever found.
// Inputs named load-* must load and reject-* must be refused.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/BmpOracle.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s file-or-directory...\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::directory_iterator(arg)) {
        if (entry.is_regular_file()) inputs.push_back(entry.path());
      }
    } else if (fs::is_regular_file(arg)) {
      inputs.push_back(arg);
    } else {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 2;
    }
  }
  int wrong = 0, loaded = 0;
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const bool ok = CheckLoadBmp(bytes.data(), bytes.size());
    loaded += ok;
    const std::string name = input.filename().string();
    if ((name.starts_with("load-") && !ok) || (name.starts_with("reject-") && ok)) {
      std::fprintf(stderr, "%s: %s\n", input.c_str(), ok ? "loaded" : "refused");
      ++wrong;
    }
  }
  std::printf("%zu inputs, %d loaded, %d named wrongly\n", inputs.size(), loaded, wrong);
  return wrong == 0 ? 0 : 1;
}
