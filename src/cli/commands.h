#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvra::cli {

// Exit statuses shared by every sub-command, so that scripts can tell a typing mistake from an
// operation that failed.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a sub-command receives: its own arguments (global options already taken out) and the
// streams it writes to.
struct Invocation {
  std::vector<std::string> arguments;
  std::ostream& out;
  std::ostream& err;
};

struct Command {
  std::string_view name;
  std::string_view arguments;  // shown after the name in the usage line, e.g. "[COMMANDE]"
  std::string_view summary;
  int (*run)(const Invocation&);
};

// Every sub-command, in the order the help lists them.
std::span<const Command> Commands();
// nullptr when no sub-command has that name.
const Command* FindCommand(std::string_view name);

// For sub-commands that take no argument: reports a stray one on err and returns false.
bool ExpectNoArguments(std::string_view commandName, const Invocation& invocation);

// "kelvra-cli 2.0.0 (022g)".
std::string VersionLine();

// One function per sub-command, each in a file of its own.
int RunHelp(const Invocation& invocation);
int RunVersion(const Invocation& invocation);
int RunFolder(const Invocation& invocation);
int RunConnect(const Invocation& invocation);
int RunVehicle(const Invocation& invocation);
int RunSimulate(const Invocation& invocation);
int RunRecord(const Invocation& invocation);
int RunAccel(const Invocation& invocation);
int RunPoll(const Invocation& invocation);
int RunPower(const Invocation& invocation);

}  // namespace kelvra::cli
