#include <QTimer>
#include <optional>

#include "acquisition/recorder_station.h"
#include "acquisition/run_file.h"
#include "cli/commands.h"
#include "cli/link_session.h"
#include "cli/trace_echo.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "link/link_station.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::cli {

namespace {

struct RecordOptions {
  LinkOptions link;
  std::string startRpm = "0";
  std::string stopRpm = "0";
  bool useSpeed = false;
  int gear = 3;
  std::string vehicle;
  std::string out;
};

// The field of the vehicle editor that holds a gear's speed per 1000 tr/mn ("v3e" for the third).
constexpr std::size_t kFirstGearSpeedField = 7;
static_assert(vehicle::kTextKeys[kFirstGearSpeedField].field == "edRv1");

std::optional<RecordOptions> ParseOptions(const Invocation& invocation) {
  RecordOptions options;
  options.link.timeoutSeconds = 120;  // a whole pull, not only the connection
  const auto& args = invocation.arguments;
  for (size_t i = 0; i < args.size(); ++i) {
    const OptionTaken taken = TakeLinkOption(args, i, options.link, invocation.err);
    if (taken == OptionTaken::Invalid)
      return std::nullopt;
    if (taken == OptionTaken::Yes)
      continue;
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if ((arg == "--start" || arg == "--stop") && hasValue) {
      double rpm = 0;
      if (!TryParseReal(args[++i], rpm) || rpm < 0) {
        invocation.err << "Valeur invalide pour " << arg << " : " << args[i] << '\n';
        return std::nullopt;
      }
      (arg == "--start" ? options.startRpm : options.stopRpm) = args[i];
    } else if (arg == "--use-speed") {
      options.useSpeed = true;
    } else if (arg == "--gear" && hasValue) {
      if (!TryParseInteger(args[++i], options.gear) || options.gear < 1 || options.gear > 6) {
        invocation.err << "Valeur invalide pour " << arg << " : " << args[i] << '\n';
        return std::nullopt;
      }
    } else if (arg == "--vehicle" && hasValue) {
      options.vehicle = args[++i];
    } else if (arg == "--out" && hasValue) {
      options.out = args[++i];
    } else {
      invocation.err << "Argument inattendu pour record : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.link.port.empty() || options.out.empty()) {
    invocation.err << "record : --port et --out sont obligatoires\n";
    return std::nullopt;
  }
  if (options.useSpeed && options.vehicle.empty()) {
    invocation.err << "record : --use-speed demande --vehicle (la vitesse pour 1000 tr/mn)\n";
    return std::nullopt;
  }
  return options;
}

// The speed per 1000 tr/mn of the gear, as the vehicle tab shows it once the vehicle is loaded.
std::optional<std::string> GearSpeed(const RecordOptions& options, std::ostream& err) {
  vehicle::VehicleStore store([&](std::string_view line) { err << line << '\n'; });
  if (!store.Contains(options.vehicle)) {
    err << "Véhicule inconnu : " << options.vehicle << " (dans " << store.Path() << ")\n";
    return std::nullopt;
  }
  vehicle::VehicleProfile profile = vehicle::VehicleProfile::Initial();
  store.LoadVehicle(options.vehicle, profile);
  return profile.FieldText(kFirstGearSpeedField + options.gear - 1);
}

// The engine's answers only fill the trace: the console shows the link's steps and the recorder's.
bool ShownOnConsole(const std::string& line) {
  return line.find(" : ANSW") == std::string::npos;
}

}  // namespace

// Connects, records one run with the recorder between the thresholds and writes the run file.
int RunRecord(const Invocation& invocation) {
  const auto parsed = ParseOptions(invocation);
  if (!parsed)
    return kExitUsage;
  const RecordOptions& options = *parsed;
  std::optional<std::string> gearSpeed;
  if (!options.vehicle.empty()) {
    try {
      gearSpeed = GearSpeed(options, invocation.err);
    } catch (const Error& error) {
      invocation.err << "Erreur : " << error.what() << '\n';
      return kExitFailure;
    }
    if (!gearSpeed)
      return kExitFailure;
  }

  LinkSession session(invocation);
  link::LinkStation& station = session.station;
  form::Services& services = session.services;
  acquisition::RecorderStation rec(station);
  rec.panel.startRpm.SetText(options.startRpm);
  rec.panel.stopRpm.SetText(options.stopRpm);
  rec.panel.livePlot.SetChecked(false);  // nobody looks at the plot
  rec.gear.SetItemIndex(options.gear - 1);
  if (gearSpeed)
    rec.gearSpeeds[options.gear - 1]->SetText(*gearSpeed);
  station.useSpeed.SetChecked(options.useSpeed);

  bool started = false;
  auto finish = [&](int code) { session.Finish(code); };
  auto save = [&] {
    const acquisition::RunBuffer& buffer = rec.recorder.Buffer();
    const bool written = services.Dispatch([&] {
      acquisition::WriteRunFile(options.out, acquisition::RunLines(buffer, 0, buffer.LastTime()));
    });
    if (written) {
      invocation.out << "Échantillons : " << buffer.count << '\n'
                     << "Durée : " << FormatGeneral(buffer.LastTime()) << " s" << std::endl;
    }
    finish(written ? kExitOk : kExitFailure);
  };
  TraceEcho stateEcho(
      station.stateTrace, invocation.out,
      [&](const std::string& line) {
        if (line == "Connexion OBD établie." && !started) {
          QTimer::singleShot(0,
                             [&] { services.Dispatch([&] { rec.recorder.LaunchAcquisition(); }); });
        } else if (line == "Acquisition ...") {
          started = true;
        } else if (line == "Arrêt d'acquisition" && started) {
          // After the rest of this answer's handling (the full buffer's line comes next).
          QTimer::singleShot(0, save);
        } else if (line == "Fermeture du port..." && !session.Finished()) {
          invocation.err << "Le port s'est fermé avant la fin." << std::endl;
          finish(kExitFailure);
        }
      },
      ShownOnConsole);

  return session.Run(options.link, [&] {
    if (started && station.state.recording) {
      // As "Stopper" would: the run so far is kept.
      invocation.out << "Durée maximale atteinte : arrêt de l'enregistrement." << std::endl;
      services.Dispatch([&] { rec.recorder.StopAcquisition(); });
      return;
    }
    invocation.err << (station.state.online ? "Le régime de départ n'est pas atteint après "
                                            : "La liaison OBD n'est pas établie après ")
                   << options.link.timeoutSeconds << " s." << std::endl;
    finish(kExitFailure);
  });
}

}  // namespace kelvra::cli
