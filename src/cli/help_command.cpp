#include "cli/commands.h"

#include <algorithm>
#include <string>

namespace kelvra::cli {

namespace {

constexpr std::string_view kUsagePrefix = "Usage : kelvra-cli [--data-dir DOSSIER] ";

std::string Synopsis(const Command& command) {
  std::string synopsis(command.name);
  if (!command.arguments.empty()) {
    synopsis += ' ';
    synopsis += command.arguments;
  }
  return synopsis;
}

void PrintOverview(std::ostream& out) {
  out << VersionLine() << " : banc de puissance OBD-II en ligne de commande\n\n"
      << kUsagePrefix << "COMMANDE [ARGUMENTS]\n\nCommandes :\n";
  std::size_t width = 0;
  for (const Command& command : Commands())
    width = std::max(width, Synopsis(command).size());
  for (const Command& command : Commands()) {
    const std::string synopsis = Synopsis(command);
    out << "  " << synopsis << std::string(width - synopsis.size() + 2, ' ') << command.summary
        << '\n';
  }
  out << "\nOption globale :\n"
      << "  --data-dir DOSSIER  Dossier des données ; sinon la variable KELVRA_DATA_DIR,\n"
      << "                      sinon le dossier du programme\n";
}

}  // namespace

int RunHelp(const Invocation& invocation) {
  if (invocation.arguments.empty()) {
    PrintOverview(invocation.out);
    return kExitOk;
  }
  if (invocation.arguments.size() > 1) {
    invocation.err << "help attend au plus une commande\n";
    return kExitUsage;
  }
  const Command* command = FindCommand(invocation.arguments.front());
  if (command == nullptr) {
    invocation.err << "Commande inconnue : " << invocation.arguments.front() << '\n';
    return kExitUsage;
  }
  invocation.out << kUsagePrefix << Synopsis(*command) << '\n' << command->summary << '\n';
  return kExitOk;
}

}  // namespace kelvra::cli
