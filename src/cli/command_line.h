#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kelvra::cli {

// Takes the global options out of the arguments (program name excluded), runs the sub-command
// they name and returns the exit status: 0 done, 1 failed, 2 the command line is wrong.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace kelvra::cli
