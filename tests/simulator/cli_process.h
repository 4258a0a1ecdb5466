#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kelvra::simulator::test {

// A program running beside the test, with its stdout and stderr piped back line by line, and its
// stdin either a pipe the test writes to or /dev/null.
class CliProcess {
 public:
  CliProcess(const std::string& program, const std::vector<std::string>& arguments,
             bool stdinFromTest);
  ~CliProcess();  // kills the program if it still runs
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  bool WriteLine(const std::string& line) const;
  // The next line of stdout (or stderr), without its end; nothing after the timeout or at the end.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(5));
  std::optional<std::string> ReadErrorLine(
      std::chrono::milliseconds timeout = std::chrono::seconds(5));
  void Signal(int signal) const;
  // The exit status (128 + signal when killed), or nothing if it runs on past the timeout.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::seconds(5));

 private:
  static std::optional<std::string> ReadLineFrom(int fd, std::string& buffer,
                                                 std::chrono::milliseconds timeout);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string outBuffer_;
  std::string errBuffer_;
};

}  // namespace kelvra::simulator::test
