#include <QCoreApplication>
#include <QTimer>
#include <optional>

#include "cli/commands.h"
#include "cli/console_services.h"
#include "cli/trace_echo.h"
#include "common/number_text.h"
#include "form/system_clock.h"
#include "link/alternative_port.h"
#include "link/link_station.h"
#include "qt/qt_serial_port.h"
#include "qt/qt_timer_service.h"

namespace kelvra::cli {

namespace {

struct ConnectOptions {
  std::string port;
  link::InterfaceKind kind = link::InterfaceKind::Elm327;
  bool fastRate = false;
  bool alternative = false;
  int timeoutSeconds = 30;
  int polls = 0;
  bool showData = false;
};

std::optional<ConnectOptions> ParseOptions(const Invocation& invocation) {
  ConnectOptions options;
  const auto& args = invocation.arguments;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--port" && hasValue) {
      options.port = args[++i];
    } else if (arg == "--interface" && hasValue) {
      const std::string& kind = args[++i];
      if (kind == "elm327") {
        options.kind = link::InterfaceKind::Elm327;
      } else if (kind == "elm323") {
        options.kind = link::InterfaceKind::Elm323;
      } else if (kind == "mobydic") {
        options.kind = link::InterfaceKind::Mobydic;
      } else {
        invocation.err << "Interface inconnue : " << kind << " (elm327, elm323 ou mobydic)\n";
        return std::nullopt;
      }
    } else if (arg == "--baud" && hasValue) {
      const std::string& baud = args[++i];
      if (baud != "9600" && baud != "38400") {
        invocation.err << "Vitesse non prise en charge : " << baud << " (9600 ou 38400)\n";
        return std::nullopt;
      }
      options.fastRate = baud == "38400";
    } else if (arg == "--alt") {
      options.alternative = true;
    } else if (arg == "--data") {
      options.showData = true;
    } else if ((arg == "--timeout" || arg == "--poll") && hasValue) {
      std::int32_t value = 0;
      if (!TryParseInteger(args[++i], value) || value < (arg == "--poll" ? 0 : 1)) {
        invocation.err << "Valeur invalide pour " << arg << " : " << args[i] << '\n';
        return std::nullopt;
      }
      (arg == "--poll" ? options.polls : options.timeoutSeconds) = value;
    } else {
      invocation.err << "Argument inattendu pour connect : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.port.empty()) {
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

  form::SystemClock clock;
  qt::QtTimerService timers;
  ConsoleDialogs dialogs(invocation.out, invocation.err);
  qt::QtEventPump pump;
  SilentBeeper beeper;
  form::Services services(clock, timers, dialogs, pump, beeper);
  qt::QtSerialPort component(services);
  link::AlternativePort alternative(services);
  link::LinkStation station(services, component, alternative);
  station.debugAuto.SetChecked(true);  // nobody to close the mOByDic prompt

  int result = kExitFailure;
  bool finished = false;
  auto finish = [&](int code) {
    if (finished)
      return;
    finished = true;
    result = code;
    if (alternative.IsOpen())
      alternative.Close();  // ends its read loop
    QCoreApplication::quit();
  };
  auto startPolling = [&] {
    station.state.speedViewActive = true;
    station.engine.SendCommand("010c\r");
    station.engine.ExpectAnswer();
  };
  SpeedPrinter printer(invocation.out, [&](int count) {
    if (count >= options.polls)
      finish(kExitOk);
  });
  station.handler.SetEngineSpeedSink(&printer);
  TraceEcho stateEcho(station.stateTrace, invocation.out, [&](const std::string& line) {
    if (line == "Connexion OBD établie.") {
      if (options.polls == 0) {
        finish(kExitOk);
      } else {
        QTimer::singleShot(0, [&] { services.Dispatch(startPolling); });
      }
    } else if (line == "Fermeture du port..." && !finished) {
      invocation.err << "Le port s'est fermé avant la fin." << std::endl;
      finish(kExitFailure);
    }
  });
  std::optional<TraceEcho> dataEcho;
  if (options.showData)
    dataEcho.emplace(station.dataTrace, invocation.out, nullptr);

  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&] {
    invocation.err << "La liaison OBD n'est pas établie après " << options.timeoutSeconds << " s."
                   << std::endl;
    finish(kExitFailure);
  });
  deadline.start(options.timeoutSeconds * 1000);

  QTimer::singleShot(0, [&] {
    // With the program's own port this returns only when the port is closed again.
    const bool opened = services.Dispatch([&] {
      station.Connect(options.kind, options.fastRate, options.port, options.alternative);
    });
    if (!opened)
      finish(kExitFailure);
  });
  QCoreApplication::exec();
  if (component.IsOpen())
    component.Close();
  return result;
}

}  // namespace kelvra::cli
