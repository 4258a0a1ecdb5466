#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace kelvra::simulator::test {

CliProcess::CliProcess(const std::string& program, const std::vector<std::string>& arguments,
                       bool stdinFromTest) {
  int in[2] = {-1, -1}, out[2], err[2];
  if ((stdinFromTest && ::pipe2(in, O_CLOEXEC) != 0) || ::pipe2(out, O_CLOEXEC) != 0 ||
      ::pipe2(err, O_CLOEXEC) != 0)
    return;
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    const int input = stdinFromTest ? in[0] : ::open("/dev/null", O_RDONLY);
    ::dup2(input, STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  if (stdinFromTest) {
    ::close(in[0]);
    in_ = in[1];
  }
  ::close(out[1]);
  ::close(err[1]);
  out_ = out[0];
  err_ = err[0];
}

CliProcess::~CliProcess() {
  if (pid_ > 0 && !Wait(std::chrono::milliseconds(0))) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  for (int fd : {in_, out_, err_}) {
    if (fd >= 0)
      ::close(fd);
  }
}

bool CliProcess::WriteLine(const std::string& line) const {
  const std::string text = line + "\n";
  return ::write(in_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::optional<std::string> CliProcess::ReadLineFrom(int fd, std::string& buffer,
                                                    std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (const auto end = buffer.find('\n'); end != std::string::npos) {
      std::string line = buffer.substr(0, end);
      buffer.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd watch{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&watch, 1, static_cast<int>(left.count())) <= 0)
      return std::nullopt;
    char bytes[256];
    const ssize_t count = ::read(fd, bytes, sizeof bytes);
    if (count <= 0)
      return std::nullopt;
    buffer.append(bytes, static_cast<size_t>(count));
  }
}

std::optional<std::string> CliProcess::ReadLine(std::chrono::milliseconds timeout) {
  return ReadLineFrom(out_, outBuffer_, timeout);
}

std::optional<std::string> CliProcess::ReadErrorLine(std::chrono::milliseconds timeout) {
  return ReadLineFrom(err_, errBuffer_, timeout);
}

void CliProcess::Signal(int signal) const {
  ::kill(pid_, signal);
}

std::optional<int> CliProcess::Wait(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (std::chrono::steady_clock::now() >= deadline)
      return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace kelvra::simulator::test
