#include "child_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

extern char** environ;

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

std::string MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kelvra-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("mkdtemp failed");
  return pattern;
}

ProcessResult RunCliCommand(const std::string& folder, const std::string& command,
                            const std::vector<std::string>& arguments) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    if (!variable.starts_with("KELVRA_"))
      environment.push_back(variable);
  }
  environment.push_back("KELVRA_DECIMAL_SEPARATOR=,");
  std::vector<std::string> line{"--data-dir", folder, command};
  line.insert(line.end(), arguments.begin(), arguments.end());
  return RunProcess(KELVRA_CLI_PATH, line, environment);
}

}  // namespace kelvra::test
