#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/trace_echo.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "diagnostics/diagnostics_station.h"
#include "diagnostics/pid_table.h"

namespace kelvra::cli {

namespace {

struct PollOptions {
  LinkOptions link;
  std::vector<int> rows;
  int seconds = 10;
  std::string log;
};

std::string KnownPids() {
  std::string list;
  for (const diagnostics::PidRow& row : diagnostics::PidTable())
    list += (list.empty() ? "" : ", ") + std::string(row.code);
  return list;
}

// "010C,010d": rows of the PID table, in the table's order, each once.
std::optional<std::vector<int>> ParsePids(const std::string& text, std::ostream& err) {
  std::vector<bool> wanted(diagnostics::kPidCount, false);
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    std::string code = text.substr(start, comma == std::string::npos ? comma : comma - start);
    for (char& c : code)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int found = -1;
    for (int row = 0; row < diagnostics::kPidCount; ++row) {
      if (diagnostics::PidTable()[row].code == code)
        found = row;
    }
    if (found < 0) {
      err << "PID inconnu : " << code << " (connus : " << KnownPids() << ")\n";
      return std::nullopt;
    }
    wanted[found] = true;
    if (comma == std::string::npos)
      break;
    start = comma + 1;
  }
  std::vector<int> rows;
  for (int row = 0; row < diagnostics::kPidCount; ++row) {
    if (wanted[row])
      rows.push_back(row);
  }
  return rows;
}

std::optional<PollOptions> ParseOptions(const Invocation& invocation) {
  PollOptions options;
  const auto& args = invocation.arguments;
  for (size_t i = 0; i < args.size(); ++i) {
    const OptionTaken taken = TakeLinkOption(args, i, options.link, invocation.err);
    if (taken == OptionTaken::Invalid)
      return std::nullopt;
    if (taken == OptionTaken::Yes)
      continue;
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--pids" && hasValue) {
      auto rows = ParsePids(args[++i], invocation.err);
      if (!rows)
        return std::nullopt;
      options.rows = *rows;
    } else if (arg == "--seconds" && hasValue) {
      if (!TryParseInteger(args[++i], options.seconds) || options.seconds < 1) {
        invocation.err << "Valeur invalide pour --seconds : " << args[i] << '\n';
        return std::nullopt;
      }
    } else if (arg == "--log" && hasValue) {
      options.log = args[++i];
    } else {
      invocation.err << "Argument inattendu pour poll : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.link.port.empty() || options.rows.empty()) {
    invocation.err << "poll : --port et --pids sont obligatoires\n";
    return std::nullopt;
  }
  return options;
}

// The engine's answers only fill the trace: the console shows the link's steps and the values.
bool ShownOnConsole(const std::string& line) {
  return line.find(" : ANSW") == std::string::npos && line.find(" : NODATA") == std::string::npos;
}

}  // namespace

// Polls the chosen PIDs in rotation as the tab "Diagnostique" does, prints each decoded row as
// its display line and writes the diagnostic log when asked.
int RunPoll(const Invocation& invocation) {
  const auto parsed = ParseOptions(invocation);
  if (!parsed)
    return kExitUsage;
  const PollOptions& options = *parsed;

  LinkSession session(invocation);
  link::LinkStation& station = session.station;
  form::Services& services = session.services;
  diagnostics::DiagnosticsStation diag(station);
  diagnostics::DiagnosticDisplay& display = diag.live.display;
  int decoded = 0;
  bool polling = false;
  display.onDecoded = [&](int row) {
    invocation.out << diag.panel.display.displays[row]->Caption() << std::endl;
    ++decoded;
  };
  QTimer stopAfter;
  stopAfter.setSingleShot(true);
  QObject::connect(&stopAfter, &QTimer::timeout, [&] {
    services.Dispatch([&] {
      if (station.state.diagDisplayOn)
        display.ToggleVisualisation();
      display.CloseDiagLog();
    });
    invocation.out << "Réponses décodées : " << decoded << std::endl;
    session.Finish(decoded > 0 ? kExitOk : kExitFailure);
  });
  auto start = [&] {
    if (!options.log.empty()) {
      try {
        display.OpenDiagLogAt(options.log);
      } catch (const Error& error) {
        invocation.err << "Impossible de créer le fichier " << options.log << " : " << error.what()
                       << std::endl;
        session.Finish(kExitFailure);
        return;
      }
    }
    for (int row : options.rows)
      diag.panel.display.pidList.SetChecked(row, true);
    polling = true;
    stopAfter.start(options.seconds * 1000);
    display.ToggleVisualisation();
  };
  TraceEcho stateEcho(
      station.stateTrace, invocation.out,
      [&](const std::string& line) {
        if (line == "Connexion OBD établie." && !polling) {
          QTimer::singleShot(0, [&] { services.Dispatch(start); });
        } else if (line == "Fermeture du port..." && !session.Finished()) {
          invocation.err << "Le port s'est fermé avant la fin." << std::endl;
          session.Finish(kExitFailure);
        }
      },
      ShownOnConsole);

  return session.Run(options.link, [&] {
    if (polling)
      return;  // the polling ends on its own clock
    invocation.err << "La liaison OBD n'est pas établie après " << options.link.timeoutSeconds
                   << " s." << std::endl;
    session.Finish(kExitFailure);
  });
}

}  // namespace kelvra::cli
