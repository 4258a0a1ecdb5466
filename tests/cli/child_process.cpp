#include "child_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace kelvra::test {

namespace {

// An unlinked temporary file: unlike a pipe, it cannot fill up and block the child while the
// parent waits for it.
int AnonymousFile() {
  char name[] = "/tmp/kelvra-cli-test-XXXXXX";
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
  close(fd);
  return text;
}

std::vector<char*> NullTerminated(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings)
    pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
  std::vector<std::string> argvStrings{program};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envStrings = environment;
  std::vector<char*> argv = NullTerminated(argvStrings);
  std::vector<char*> envp = NullTerminated(envStrings);

  const int outFd = AnonymousFile();
  const int errFd = AnonymousFile();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  pid_t pid = 0;
  const int spawnError =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawnError != 0) {
    close(outFd);
    close(errFd);
    throw std::system_error(spawnError, std::generic_category(), "posix_spawn " + program);
  }

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR)
      throw std::system_error(errno, std::generic_category(), "waitpid");
  }
  ProcessResult result;
  if (WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    result.exitCode = 128 + WTERMSIG(status);
  result.out = ReadAll(outFd);
  result.err = ReadAll(errFd);
  return result;
}

}  // namespace kelvra::test
