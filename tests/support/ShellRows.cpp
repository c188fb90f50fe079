// Shell tables: a line, a folder, what came out.
#include "tests/support/ShellRows.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

void ExpectShellRows(const std::string& program, const std::vector<ShellRow>& rows) {
  namespace fs = std::filesystem;
  const std::string dir = testing::TempDir() + "wendrix-rows-" + std::to_string(getpid());
  int runs = 0;
  std::string skipped;
  for (const ShellRow& row : rows) {
    if (row.needs != nullptr && std::system(row.needs) != 0) {
      skipped += std::string("\n  ") + row.needs + ": " + row.line;
      continue;
    }
    const std::string folder = dir + "/" + std::to_string(++runs);
    fs::create_directories(folder);
    std::ofstream(dir + "/line.sh") << row.line << "\n";
    std::string command = "cd " + folder;
    command += " && R=" + program;
    command += " sh ../line.sh > ../out.txt 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream out(dir + "/out.txt");
    EXPECT_EQ(std::to_string(WEXITSTATUS(status)) + "|" +
                  std::string(std::istreambuf_iterator<char>(out), {}),
              row.shows)
        << row.line;
  }
  fs::remove_all(dir);
  // The rest has run; a row this machine cannot run leaves the test skipped, not passed.
  if (!skipped.empty()) GTEST_SKIP() << "rows this machine cannot run:" << skipped;
}
