#pragma once

#include <string>
#include <vector>

namespace kelvra::test {

struct ProcessResult {
  int exitCode = -1;  // 128 + signal number when the child was killed
  std::string out;
  std::string err;
};

// Runs a program to its end with exactly the given environment ("NAME=value" entries) and
// collects what it wrote on its standard output and standard error.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment);

// A new empty folder under the temporary directory, for one test's data.
std::string MakeTemporaryFolder();

// kelvra-cli COMMAND ARGUMENTS... on the data folder `folder`, with the caller's environment
// except its KELVRA_ settings, and the comma as decimal separator.
ProcessResult RunCliCommand(const std::string& folder, const std::string& command,
                            const std::vector<std::string>& arguments);

}  // namespace kelvra::test
