#include "timed_run.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace kelvra::bench {

namespace {

// Unlike a pipe, an unlinked file cannot fill up and stall the child being timed.
int AnonymousFile() {
  char name[] = "/tmp/kelvra-bench-err-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0)
    throw std::system_error(errno, std::generic_category(), "mkstemp");
  unlink(name);
  return fd;
}

std::string ReadAll(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char buffer[4096];
  ssize_t count;
  while ((count = read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(count));
  return text;
}

// Waits for the child to end or the timeout to pass; a pidfd wakes up the moment the child
// ends, where polling waitpid would add its own period to every figure.
bool WaitForEnd(pid_t pid, std::chrono::milliseconds timeout) {
  const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (pidFd < 0)
    return true;  // no pidfd: waitpid below blocks without a timeout
  pollfd entry{pidFd, POLLIN, 0};
  int ready;
  do {
    ready = poll(&entry, 1, static_cast<int>(timeout.count()));
  } while (ready < 0 && errno == EINTR);
  close(pidFd);
  return ready != 0;
}

}  // namespace

TimedRun RunTimed(const std::string& program, const std::vector<std::string>& arguments,
                  std::chrono::milliseconds timeout) {
  std::vector<std::string> strings{program};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& s : strings)
    argv.push_back(s.data());
  argv.push_back(nullptr);

  const int errFd = AnonymousFile();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);

  TimedRun run;
  pid_t pid = 0;
  const auto start = std::chrono::steady_clock::now();
  const int spawnError =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) {
    close(errFd);
    throw std::system_error(spawnError, std::generic_category(), "cannot start " + program);
  }
  run.timedOut = !WaitForEnd(pid, timeout);
  run.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (run.timedOut)
    kill(pid, SIGKILL);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    run.exitCode = 128 + WTERMSIG(status);
  run.err = ReadAll(errFd);
  close(errFd);
  return run;
}

}  // namespace kelvra::bench
