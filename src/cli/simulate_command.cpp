#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "simulator/car_file.h"
#include "simulator/pty_simulator.h"

namespace kelvra::cli {

namespace {

using simulator::InterfaceKind;

constexpr std::string_view kStdinCommands =
    "pull RAPPORT [RÉGIME], hold RAPPORT KM/H, sprint, idle, drop, garble, buserror, canerror, "
    "hangup, "
    "resume, status, quit";
constexpr double kDefaultPullRpm = 1500;

struct SimulateOptions {
  simulator::PtyOptions pty;
  std::string carFile;
};

std::optional<SimulateOptions> ParseOptions(const Invocation& invocation) {
  SimulateOptions parsed;
  simulator::PtyOptions& options = parsed.pty;
  const auto& args = invocation.arguments;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--interface" && hasValue) {
      const std::string& kind = args[++i];
      if (kind == "elm327") {
        options.responder.kind = InterfaceKind::Elm327;
      } else if (kind == "elm323") {
        options.responder.kind = InterfaceKind::Elm323;
      } else if (kind == "mobydic") {
        options.responder.kind = InterfaceKind::Mobydic;
      } else {
        invocation.err << "Interface inconnue : " << kind << " (elm327, elm323 ou mobydic)\n";
        return std::nullopt;
      }
    } else if (arg == "--latency" && hasValue) {
      std::int32_t milliseconds = 0;
      if (!TryParseInteger(args[++i], milliseconds) || milliseconds < 0) {
        invocation.err << "Valeur invalide pour --latency : " << args[i] << '\n';
        return std::nullopt;
      }
      options.latency = std::chrono::milliseconds(milliseconds);
    } else if (arg == "--baud" && hasValue) {
      const std::string& baud = args[++i];
      if (baud != "0" && baud != "9600" && baud != "38400") {
        invocation.err << "Vitesse non prise en charge : " << baud << " (0, 9600 ou 38400)\n";
        return std::nullopt;
      }
      options.baudRate = std::stoi(baud);
    } else if (arg == "--car" && hasValue) {
      parsed.carFile = args[++i];
    } else if (arg == "--link" && hasValue) {
      options.linkPath = args[++i];
    } else if (arg == "--no-searching") {
      options.responder.searchReport = false;
    } else {
      invocation.err << "Argument inattendu pour simulate : " << arg << '\n';
      return std::nullopt;
    }
  }
  return parsed;
}

std::string_view KindName(InterfaceKind kind) {
  switch (kind) {
    case InterfaceKind::Elm327:
      return "ELM327";
    case InterfaceKind::Elm323:
      return "ELM323";
    case InterfaceKind::Mobydic:
      return "mOByDic";
  }
  return "";
}

// SIGINT and SIGTERM end the simulation through a pipe, so the main loop can wait for them and
// for stdin at once.
int gSignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

class SignalWatch {
 public:
  SignalWatch() {
    if (::pipe2(gSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
      throw Error("Simulateur : tube de signaux impossible");
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &previousInt_);
    ::sigaction(SIGTERM, &action, &previousTerm_);
  }
  ~SignalWatch() {
    ::sigaction(SIGINT, &previousInt_, nullptr);
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::close(gSignalPipe[0]);
    ::close(gSignalPipe[1]);
    gSignalPipe[0] = gSignalPipe[1] = -1;
  }
  int fd() const { return gSignalPipe[0]; }

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

// The commands read on stdin, one per line.
class Console {
 public:
  Console(simulator::PtySimulator& simulator, const simulator::PtyOptions& options,
          const Invocation& invocation)
      : simulator_(simulator), options_(options), out_(invocation.out), err_(invocation.err) {}

  // Where the program should connect: one line for people, then lines for scripts.
  void AnnounceReady() {
    const std::string slave = simulator_.SlavePath();
    out_ << "Simulateur " << KindName(options_.responder.kind) << " prêt sur " << simulator_.Path()
         << '\n'
         << "PTY=" << slave << '\n';
    if (!options_.linkPath.empty())
      out_ << "LINK=" << options_.linkPath << '\n';
    out_.flush();
  }

  // false when the line asks to stop.
  bool Execute(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    try {
      if (command.empty()) {
        return true;
      } else if (command == "quit") {
        return false;
      } else if (command == "pull") {
        Pull(words);
      } else if (command == "hold") {
        Hold(words);
      } else if (command == "sprint") {
        simulator_.StartStandingStart();
        Say("Départ arrêté à pleine charge, rapports passés à la zone rouge");
      } else if (command == "idle") {
        simulator_.SetIdle();
        Say("Ralenti");
      } else if (command == "drop") {
        simulator_.DropNextAnswer();
        Say("La prochaine réponse sera perdue");
      } else if (command == "garble") {
        simulator_.GarbleNextAnswer();
        Say("La prochaine réponse sera brouillée");
      } else if (command == "buserror" || command == "canerror") {
        const bool can = command == "canerror";
        simulator_.InjectBusReport(can ? simulator::BusReport::CanError
                                       : simulator::BusReport::BusError);
        Say(std::string("La prochaine requête OBD recevra ") + (can ? "CAN ERROR" : "BUS ERROR"));
      } else if (command == "hangup") {
        simulator_.HangUp();
        Say("Ligne coupée");
      } else if (command == "resume") {
        simulator_.Resume();
        AnnounceReady();
      } else if (command == "status") {
        Status();
      } else {
        err_ << "Commande inconnue : " << command << " (" << kStdinCommands << ")" << std::endl;
      }
    } catch (const Error& error) {
      err_ << error.what() << std::endl;
    }
    return true;
  }

 private:
  void Say(const std::string& text) { out_ << text << std::endl; }

  void Pull(std::istringstream& words) {
    std::string gearText, rpmText;
    words >> gearText >> rpmText;
    std::int32_t gear = 0;
    double rpm = kDefaultPullRpm;
    if (!TryParseInteger(gearText, gear) || (!rpmText.empty() && !TryParseReal(rpmText, rpm))) {
      err_ << "Usage : pull RAPPORT [RÉGIME]" << std::endl;
      return;
    }
    simulator_.StartPull(gear, rpm);
    Say("Tirage à pleine charge en " + std::to_string(gear) + "e depuis " + FormatGeneral(rpm) +
        " tr/mn");
  }

  // A steady drive, for calibrating a gear's speed at 1000 tr/mn.
  void Hold(std::istringstream& words) {
    std::string gearText, speedText;
    words >> gearText >> speedText;
    std::int32_t gear = 0;
    double kmh = 0;
    if (!TryParseInteger(gearText, gear) || !TryParseReal(speedText, kmh)) {
      err_ << "Usage : hold RAPPORT KM/H" << std::endl;
      return;
    }
    simulator_.HoldSpeed(gear, kmh);
    Say("Vitesse stabilisée en " + std::to_string(gear) + "e à " + FormatGeneral(kmh) + " km/h");
  }

  void Status() {
    const simulator::SimulatorStatus status = simulator_.Status();
    out_ << "Régime " << static_cast<long>(status.rpm) << " tr/mn, vitesse "
         << FormatGeneral(std::trunc(status.speedKmh * 10) / 10) << " km/h, rapport " << status.gear
         << ", requêtes " << status.requests << ", réponses " << status.answers << ", ligne "
         << (status.lineUp ? "ouverte" : "coupée");
    // The model's own 0-100 km/h time once a standing start got there.
    if (const auto sprint = simulator_.SprintTimeTo(100))
      out_ << ", 0-100 km/h en " << FormatGeneral(std::round(*sprint * 1000) / 1000) << " s";
    out_ << std::endl;
  }

  simulator::PtySimulator& simulator_;
  const simulator::PtyOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
};

// Serves until "quit", a signal, or the end of stdin. A stdin that is at its end from the start
// (</dev/null, a background job) carries no commands: then only a signal ends the simulation.
void Serve(Console& console, int signalFd, std::ostream& err) {
  bool commandsOpen = true;
  bool anyInput = false;
  std::string pending;
  for (;;) {
    pollfd watch[2] = {{signalFd, POLLIN, 0}, {commandsOpen ? STDIN_FILENO : -1, POLLIN, 0}};
    if (::poll(watch, 2, -1) < 0) {
      if (errno == EINTR)
        continue;
      return;
    }
    if ((watch[0].revents & POLLIN) != 0)
      return;
    if (watch[1].revents == 0)
      continue;
    char bytes[1024];
    const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (count < 0 && errno == EINTR)
      continue;
    if (count <= 0) {
      if (!pending.empty() && !console.Execute(pending))
        return;
      if (anyInput)
        return;
      commandsOpen = false;
      err << "Pas de commandes sur l'entrée standard : arrêt par SIGINT ou SIGTERM." << std::endl;
      continue;
    }
    anyInput = true;
    pending.append(bytes, static_cast<size_t>(count));
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line.ends_with('\r'))
        line.pop_back();
      if (!console.Execute(line))
        return;
    }
  }
}

}  // namespace

// Runs the simulated car on a pseudo-terminal, driven by commands on stdin.
int RunSimulate(const Invocation& invocation) {
  auto parsed = ParseOptions(invocation);
  if (!parsed)
    return kExitUsage;
  simulator::PtyOptions& options = parsed->pty;
  try {
    if (!parsed->carFile.empty())
      options.car = simulator::LoadCarFile(parsed->carFile);
    SignalWatch signals;
    simulator::PtySimulator simulator(options);
    simulator.Start();
    Console console(simulator, options, invocation);
    console.AnnounceReady();
    Serve(console, signals.fd(), invocation.err);
    simulator.Stop();
  } catch (const Error& error) {
    invocation.err << error.what() << std::endl;
    return kExitFailure;
  }
  invocation.out << "Simulateur arrêté" << std::endl;
  return kExitOk;
}

}  // namespace kelvra::cli
