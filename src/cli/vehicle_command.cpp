#include <filesystem>
#include <iomanip>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "common/windows1252.h"
#include "vehicle/derived_constants.h"
#include "vehicle/gear_table.h"
#include "vehicle/vehicle_keys.h"
#include "vehicle/vehicle_messages.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::cli {

namespace {

using vehicle::VehicleProfile;
using vehicle::VehicleStore;

constexpr std::string_view kUsage =
    "Usage : kelvra-cli vehicle list | show NOM | export NOM | import FICHIER\n";
constexpr int kFieldColumn = 12;
// edF, the rolling resistance, is not stored with the vehicle: the window's start-up text.
constexpr std::string_view kRollingFriction = "0,015";

void PrintLine(std::ostream& out, std::string_view field, std::string_view key,
               std::string_view value) {
  out << std::left << std::setw(kFieldColumn) << field << key << " = " << value << '\n';
}

// The vehicle as the window shows it after a click on its name: the start-up texts, then the
// vehicle's keys over them.
VehicleProfile Loaded(const VehicleStore& store, const std::string& name) {
  VehicleProfile profile = VehicleProfile::Initial();
  profile.name = name;
  store.LoadVehicle(name, profile);
  return profile;
}

// The name as the list spells it, as a click in the window gives it; nothing when the vehicle is
// unknown.
std::optional<std::string> StoredName(const VehicleStore& store, const std::string& name,
                                      std::ostream& err) {
  for (const std::string& listed : store.ListVehicles()) {
    if (EqualsIgnoreCase(listed, name))
      return listed;
  }
  if (store.Contains(name))
    return name;
  err << "Véhicule inconnu : " << name << " (dans " << store.Path() << ")\n";
  return std::nullopt;
}

int List(const VehicleStore& store, std::ostream& out) {
  for (const std::string& name : store.ListVehicles())
    out << name << '\n';
  return kExitOk;
}

// What the window shows once the vehicle is selected: the circumference of its tyres, the gear
// table completed from it, and the constants' labels (the rolling resistance at its start-up
// text). Returns false, after the message, when a field stops the computation as it would there.
bool ShowSelection(VehicleProfile profile, std::ostream& out, std::ostream& err) {
  const std::string circumference = vehicle::CircumferenceText(profile);
  vehicle::DerivedConstants constants;
  try {
    vehicle::ComputeDerivedConstants(profile, LocalizeDecimal(kRollingFriction), constants);
  } catch (const Error& error) {
    err << "Sélection impossible : " << error.what() << '\n';
    return false;
  }
  std::string failure;
  try {
    vehicle::CompleteGearTable(profile, circumference);
  } catch (const Error& error) {
    failure = error.what();
  }
  out << "Après sélection :\n";
  const vehicle::ConstantLabels labels = vehicle::ConstantLabelTexts(constants);
  for (const auto& [control, text] :
       {std::pair<std::string_view, const std::string&>{"lbK1", labels.k1},
        {"lbK2", labels.k2},
        {"lbK3", labels.k3},
        {"lbSAE", labels.sae},
        {"edCirc", circumference}}) {
    out << std::left << std::setw(kFieldColumn) << control << text << '\n';
  }
  for (std::size_t field = 0; field < vehicle::kFirstSpeedField + vehicle::kGearCount; ++field) {
    out << std::left << std::setw(kFieldColumn) << vehicle::FieldName(field) << profile.texts[field]
        << '\n';
  }
  if (!failure.empty()) {
    err << "Sélection impossible : " << failure << '\n';
    return false;
  }
  return true;
}

int Show(const VehicleStore& store, const std::string& typed, std::ostream& out,
         std::ostream& err) {
  const auto known = StoredName(store, typed, err);
  if (!known)
    return kExitFailure;
  const std::string& name = *known;
  const VehicleProfile profile = Loaded(store, name);
  out << "Véhicule : " << name << '\n';
  for (std::size_t field = 0; field < vehicle::kFieldCount; ++field) {
    const std::size_t key =
        field == vehicle::kSecondSweptVolumeField ? vehicle::kSweptVolumeField : field;
    PrintLine(out, vehicle::FieldName(field), vehicle::kTextKeys[key].key, profile.texts[field]);
  }
  for (std::size_t index = 0; index < vehicle::kSwitchCount; ++index) {
    PrintLine(out, vehicle::kSwitchKeys[index].onButton, vehicle::kSwitchKeys[index].key,
              profile.switches[index] ? "1" : "0");
  }
  if (!ShowSelection(profile, out, err))
    return kExitFailure;
  const auto curve = store.ReadStoredCurve(name);
  if (!curve) {
    out << "Pas de courbe enregistrée\n";
    return kExitOk;
  }
  out << "Courbe enregistrée : " << curve->coefficients.size() << " coefficients, de "
      << curve->startRpm << " à " << curve->endRpm << " tr/mn\n";
  for (std::size_t index = 0; index < curve->coefficients.size(); ++index) {
    PrintLine(out, "", std::string(vehicle::kCoefficientPrefix) + std::to_string(index),
              vehicle::CoefficientText(curve->coefficients[index]));
  }
  return kExitOk;
}

int Export(VehicleStore& store, const std::string& typed, std::ostream& out, std::ostream& err) {
  const auto known = StoredName(store, typed, err);
  if (!known)
    return kExitFailure;
  const std::string& name = *known;
  const VehicleProfile profile = Loaded(store, name);
  const vehicle::Outcome outcome = store.ExportVehicle(profile);
  if (!outcome.done) {
    err << outcome.message << '\n';
    return kExitFailure;
  }
  out << vehicle::kExportedMessage << " : " << store.ExportPath(name) << '\n';
  return kExitOk;
}

int Import(VehicleStore& store, const std::string& path, std::ostream& out, std::ostream& err) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    err << "Fichier introuvable : " << path << '\n';
    return kExitFailure;
  }
  VehicleProfile profile = VehicleProfile::Initial();
  const vehicle::ImportResult result = store.ImportVehicle(path, profile);
  if (!result.attempted) {
    err << vehicle::kImportErrorName << " : " << path
        << " n'a pas de clé « nom » dans une section [export]\n";
    return kExitFailure;
  }
  if (!result.save.done) {
    err << result.save.message << '\n';
    return kExitFailure;
  }
  out << "Véhicule importé : " << result.name << (result.curve ? ", avec sa courbe" : "") << '\n';
  return kExitOk;
}

}  // namespace

// The vehicle file as the window reads and writes it, for scripts and for tests of the store.
int RunVehicle(const Invocation& invocation) {
  const auto& args = invocation.arguments;
  const std::string action = args.empty() ? std::string() : args.front();
  const bool takesName = action == "show" || action == "export" || action == "import";
  if ((action == "list" && args.size() != 1) || (takesName && args.size() != 2) ||
      (action != "list" && !takesName)) {
    invocation.err << kUsage;
    return kExitUsage;
  }
  VehicleStore store([&](std::string_view line) { invocation.err << line << '\n'; });
  if (action == "list")
    return List(store, invocation.out);
  if (action == "show")
    return Show(store, args[1], invocation.out, invocation.err);
  if (action == "export")
    return Export(store, args[1], invocation.out, invocation.err);
  return Import(store, args[1], invocation.out, invocation.err);
}

}  // namespace kelvra::cli
