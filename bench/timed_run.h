#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kelvra::bench {

struct TimedRun {
  double milliseconds = 0;  // from just before the spawn to the moment the child has ended
  int exitCode = -1;        // 128 + signal number when the child was killed
  bool timedOut = false;
  std::string err;  // what the child wrote on its standard error
};

// Runs a program to its end in the current environment, its standard output discarded, and
// measures the wall time on the monotonic clock. A child that outlives the timeout is killed.
TimedRun RunTimed(const std::string& program, const std::vector<std::string>& arguments,
                  std::chrono::milliseconds timeout);

}  // namespace kelvra::bench
