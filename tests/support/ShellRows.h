// Tables of shell lines run as a user runs them: each line in a folder of its
// own, with what it must print and the exit status of its last command.
#pragma once

#include <string>
#include <vector>

struct ShellRow {
  std::string line;             // run by sh, $R naming the program under test
  std::string shows;            // "STATUS|" and everything the line wrote on stdout and stderr
  const char* needs = nullptr;  // a shell test the case needs, where it cannot always run
};

// Runs every row with $R set to program, in folders under a fresh one of the test's own
// (removed afterwards), expecting what each shows; a row this machine cannot run
// leaves the test skipped, naming it, once the others have run.
void ExpectShellRows(const std::string& program, const std::vector<ShellRow>& rows);
