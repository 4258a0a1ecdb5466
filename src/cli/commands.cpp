#include "cli/commands.h"

#include <array>

namespace kelvra::cli {

namespace {

// A new sub-command is one row here, one declaration in commands.h and one file.
constexpr std::array kCommands{
    Command{"help", "[COMMANDE]", "Affiche cette aide, ou celle d'une commande", RunHelp},
    Command{"version", "", "Affiche la version", RunVersion},
    Command{"folder", "", "Affiche le dossier des données (vehicules.ini, exports)", RunFolder},
    Command{"connect",
            "--port PORT [--interface elm327|elm323|mobydic] [--baud 9600|38400] [--alt] "
            "[--timeout S] [--poll N] [--data]",
            "Établit la liaison OBD (et lit N fois le régime)", RunConnect},
    Command{"record",
            "--port PORT [--interface I] [--baud 9600|38400] [--alt] [--start TR/MN] "
            "[--stop TR/MN] [--use-speed --gear N --vehicle NOM] [--timeout S] --out FICHIER",
            "Enregistre un essai entre deux régimes dans un fichier de mesure", RunRecord},
    Command{"poll",
            "--port PORT [--interface I] [--baud 9600|38400] [--alt] --pids 010C,010D,... "
            "[--seconds N] [--log FICHIER] [--timeout S]",
            "Lit en boucle des paramètres OBD, les affiche et les enregistre", RunPoll},
    Command{"vehicle", "list | show NOM | export NOM | import FICHIER",
            "Liste, affiche, exporte ou importe les véhicules de vehicules.ini", RunVehicle},
    Command{"accel", "FICHIER_COURBE --vehicle NOM [--unit ms2|kmhs] [--max]",
            "Diagramme d'accélération d'une courbe exportée : accélérations et passages", RunAccel},
    Command{"simulate",
            "[--interface I] [--latency MS] [--baud 0|9600|38400] [--car FICHIER] "
            "[--link CHEMIN] [--no-searching]",
            "Simule une voiture et son interface OBD sur un pseudo-terminal", RunSimulate},
    Command{"power",
            "FICHIER --vehicle NOM [--gear N] [--smoothing N] [--sae] [--export FICHIER] "
            "[--png FICHIER]",
            "Calcule les courbes de puissance et de couple d'un essai", RunPower},
};

}  // namespace

std::span<const Command> Commands() {
  return kCommands;
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (command.name == name)
      return &command;
  }
  return nullptr;
}

bool ExpectNoArguments(std::string_view commandName, const Invocation& invocation) {
  if (invocation.arguments.empty())
    return true;
  invocation.err << commandName << " n'attend pas d'argument : " << invocation.arguments.front()
                 << '\n';
  return false;
}

}  // namespace kelvra::cli
