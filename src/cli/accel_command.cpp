#include <optional>
#include <string>

#include "acceleration/acceleration_diagram.h"
#include "acceleration/data_source.h"
#include "cli/commands.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"
#include "power/run_text_loader.h"
#include "vehicle/derived_constants.h"
#include "vehicle/gear_table.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::cli {

namespace {

// edF, the rolling resistance, is not stored with the vehicle: the window's start-up text.
constexpr std::string_view kRollingFriction = "0,015";

struct AccelOptions {
  std::string curveFile;
  std::string vehicle;
  bool kmhPerSecond = false;
  bool envelope = false;
};

std::optional<AccelOptions> ParseOptions(const Invocation& invocation) {
  AccelOptions options;
  const auto& args = invocation.arguments;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--vehicle" && hasValue) {
      options.vehicle = args[++i];
    } else if (arg == "--unit" && hasValue) {
      const std::string& unit = args[++i];
      if (unit != "ms2" && unit != "kmhs") {
        invocation.err << "Valeur invalide pour --unit : " << unit << " (ms2 ou kmhs)\n";
        return std::nullopt;
      }
      options.kmhPerSecond = unit == "kmhs";
    } else if (arg == "--max") {
      options.envelope = true;
    } else if (options.curveFile.empty() && !arg.starts_with("--")) {
      options.curveFile = arg;
    } else {
      invocation.err << "Argument inattendu pour accel : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.curveFile.empty() || options.vehicle.empty()) {
    invocation.err << "accel : le fichier de courbe et --vehicle sont obligatoires\n";
    return std::nullopt;
  }
  return options;
}

// The name as the list spells it, as a click in the window gives it.
std::optional<std::string> StoredName(const vehicle::VehicleStore& store, const std::string& name) {
  for (const std::string& listed : store.ListVehicles()) {
    if (EqualsIgnoreCase(listed, name))
      return listed;
  }
  if (store.Contains(name))
    return name;
  return std::nullopt;
}

}  // namespace

int RunAccel(const Invocation& invocation) {
  const auto options = ParseOptions(invocation);
  if (!options)
    return kExitUsage;
  std::ostream& out = invocation.out;
  std::ostream& err = invocation.err;

  const auto lines = power::ReadRunFile(options->curveFile);
  if (!lines) {
    err << "Impossible de lire le fichier " << options->curveFile << '\n';
    return kExitFailure;
  }
  const acceleration::FileRowsResult read = acceleration::RowsFromFileLines(*lines);
  if (!read.ok) {
    err << read.message << '\n';
    return kExitFailure;
  }

  vehicle::VehicleStore store;
  const auto name = StoredName(store, options->vehicle);
  if (!name) {
    err << "Véhicule inconnu : " << options->vehicle << " (dans " << store.Path() << ")\n";
    return kExitFailure;
  }
  // The vehicle as the window holds it once selected: its constants and its completed gear table.
  vehicle::VehicleProfile profile = vehicle::VehicleProfile::Initial();
  profile.name = *name;
  store.LoadVehicle(*name, profile);

  acceleration::DiagramInputs in;
  in.rows = read.rows;  // the curve export: engine speed and power in cv
  in.kmhPerSecond = options->kmhPerSecond;
  in.envelope = options->envelope;
  acceleration::DiagramResult result;
  try {
    vehicle::ComputeDerivedConstants(profile, LocalizeDecimal(kRollingFriction), in.constants);
    vehicle::CompleteGearTable(profile, vehicle::CircumferenceText(profile));
    for (std::size_t g = 0; g < in.gearSpeedTexts.size(); ++g)
      in.gearSpeedTexts[g] = profile.texts[vehicle::kFirstSpeedField + g];
    acceleration::AccelerationDiagram diagram;
    result = diagram.Compute(in);
  } catch (const Error& error) {
    err << "Calcul impossible : " << error.what() << '\n';
    return kExitFailure;
  }
  out << "Accélération max :\n";
  for (const std::string& line : result.maxLines)
    out << line << '\n';
  out << "Passage optimal des rapports :\n";
  for (const std::string& line : result.shiftLines)
    out << line << '\n';
  return kExitOk;
}

}  // namespace kelvra::cli
