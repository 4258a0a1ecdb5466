#include "cli/command_line.h"

#include <exception>
#include <optional>
#include <string_view>

#include "cli/commands.h"
#include "common/program_folder.h"

namespace kelvra::cli {

namespace {

constexpr std::string_view kDataDirOption = "--data-dir";

bool AsksForHelp(std::string_view word) {
  return word == "--help" || word == "-h";
}

// The usual spellings of help and version work in place of a command name.
std::string_view CommandName(std::string_view word) {
  if (AsksForHelp(word))
    return "help";
  if (word == "--version")
    return "version";
  return word;
}

struct ParsedLine {
  std::optional<std::string> dataDir;
  std::vector<std::string> words;  // the command name, then its arguments
};

// Global options are taken wherever they appear before a "--"; from "--" on, every word goes to
// the command untouched. Returns nullopt after reporting a usage error on err.
std::optional<ParsedLine> Parse(const std::vector<std::string>& arguments, std::ostream& err) {
  ParsedLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& word = arguments[i];
    if (optionsEnded || word == "--") {
      optionsEnded = true;
      line.words.push_back(word);
      continue;
    }
    std::optional<std::string> value;
    if (word == kDataDirOption) {
      // A following option is taken for a forgotten folder rather than for a folder name.
      if (i + 1 < arguments.size() && !arguments[i + 1].starts_with('-'))
        value = arguments[++i];
      else
        value = "";
    } else if (word.starts_with(std::string(kDataDirOption) + "=")) {
      value = word.substr(kDataDirOption.size() + 1);
    } else {
      line.words.push_back(word);
      continue;
    }
    // An empty folder would silently fall back to the default one.
    if (value->empty()) {
      err << "--data-dir attend un dossier : --data-dir DOSSIER\n";
      return std::nullopt;
    }
    line.dataDir = *value;
  }
  return line;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
  const std::optional<ParsedLine> line = Parse(arguments, err);
  if (!line)
    return kExitUsage;
  if (line->dataDir)
    SetProgramFolder(*line->dataDir);

  const std::string_view name = line->words.empty() ? "help" : CommandName(line->words.front());
  const Command* command = FindCommand(name);
  if (command == nullptr) {
    err << (name.starts_with('-') ? "Option inconnue : " : "Commande inconnue : ") << name
        << "\nLa liste des commandes : kelvra-cli help\n";
    return kExitUsage;
  }

  Invocation invocation{{}, out, err};
  if (!line->words.empty())
    invocation.arguments.assign(line->words.begin() + 1, line->words.end());
  // "kelvra-cli COMMANDE --help" shows that command's usage instead of running it.
  for (const std::string& argument : invocation.arguments) {
    if (argument == "--")
      break;
    if (AsksForHelp(argument))
      return RunHelp(Invocation{{std::string(command->name)}, out, err});
  }

  try {
    return command->run(invocation);
  } catch (const std::exception& error) {
    err << "Erreur : " << error.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace kelvra::cli
