#include <QTimer>
#include <optional>

#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/trace_echo.h"
#include "common/number_text.h"

namespace kelvra::cli {

namespace {

struct ConnectOptions {
  LinkOptions link;
  int polls = 0;
  bool showData = false;
};

std::optional<ConnectOptions> ParseOptions(const Invocation& invocation) {
  ConnectOptions options;
  const auto& args = invocation.arguments;
  for (size_t i = 0; i < args.size(); ++i) {
    const OptionTaken taken = TakeLinkOption(args, i, options.link, invocation.err);
    if (taken == OptionTaken::Invalid)
      return std::nullopt;
    if (taken == OptionTaken::Yes)
      continue;
    const std::string& arg = args[i];
    if (arg == "--data") {
      options.showData = true;
    } else if (arg == "--poll" && i + 1 < args.size()) {
      if (!TryParseInteger(args[++i], options.polls) || options.polls < 0) {
        invocation.err << "Valeur invalide pour --poll : " << args[i] << '\n';
        return std::nullopt;
      }
    } else {
      invocation.err << "Argument inattendu pour connect : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.link.port.empty()) {
    invocation.err << "connect : --port est obligatoire\n";
    return std::nullopt;
  }
  return options;
}

// Counts and prints the engine speeds while polling.
class SpeedPrinter : public link::EngineSpeedSink {
 public:
  SpeedPrinter(std::ostream& out, std::function<void(int)> counted)
      : out_(out), counted_(std::move(counted)) {}
  void OnEngineSpeed(int rpm) override {
    out_ << "Régime : " << rpm << " tr/mn" << std::endl;
    counted_(++count_);
  }

 private:
  std::ostream& out_;
  std::function<void(int)> counted_;
  int count_ = 0;
};

}  // namespace

// Runs the connection sequence with the real link and ports until the link is online.
int RunConnect(const Invocation& invocation) {
  const auto parsed = ParseOptions(invocation);
  if (!parsed)
    return kExitUsage;
  const ConnectOptions& options = *parsed;

  LinkSession session(invocation);
  link::LinkStation& station = session.station;
  auto startPolling = [&] {
    station.state.speedViewActive = true;
    station.engine.SendCommand("010c\r");
    station.engine.ExpectAnswer();
  };
  SpeedPrinter printer(invocation.out, [&](int count) {
    if (count >= options.polls)
      session.Finish(kExitOk);
  });
  station.handler.SetEngineSpeedSink(&printer);
  TraceEcho stateEcho(station.stateTrace, invocation.out, [&](const std::string& line) {
    if (line == "Connexion OBD établie.") {
      if (options.polls == 0) {
        session.Finish(kExitOk);
      } else {
        QTimer::singleShot(0, [&] { session.services.Dispatch(startPolling); });
      }
    } else if (line == "Fermeture du port..." && !session.Finished()) {
      invocation.err << "Le port s'est fermé avant la fin." << std::endl;
      session.Finish(kExitFailure);
    }
  });
  std::optional<TraceEcho> dataEcho;
  if (options.showData)
    dataEcho.emplace(station.dataTrace, invocation.out, nullptr);

  return session.Run(options.link, [&] {
    invocation.err << "La liaison OBD n'est pas établie après " << options.link.timeoutSeconds
                   << " s." << std::endl;
    session.Finish(kExitFailure);
  });
}

}  // namespace kelvra::cli
