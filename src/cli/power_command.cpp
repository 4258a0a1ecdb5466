#include <QImage>
#include <iomanip>
#include <optional>
#include <string>

#include "acquisition/run_file.h"
#include "cli/commands.h"
#include "common/errors.h"
#include "common/number_text.h"
#include "form/manual_services.h"
#include "form/window.h"
#include "power/curve_chart.h"
#include "power/curve_computation.h"
#include "power/curve_export.h"
#include "power/curve_statistics.h"
#include "power/vehicle_inputs.h"
#include "qt/image_picture.h"
#include "vehicle/vehicle_profile.h"
#include "vehicle/vehicle_store.h"

namespace kelvra::cli {

namespace {

struct PowerOptions {
  std::string runFile;
  std::string vehicle;
  int gear = 3;
  int smoothing = 12;
  bool sae = false;
  std::string exportFile;
  std::string pngFile;
};

// edF, the rolling resistance, is not stored with the vehicle: the window's start-up text.
constexpr std::string_view kRollingFriction = "0,015";

std::optional<PowerOptions> ParseOptions(const Invocation& invocation) {
  PowerOptions options;
  const auto& args = invocation.arguments;
  const auto bad = [&](const std::string& option, const std::string& value) {
    invocation.err << "Valeur invalide pour " << option << " : " << value << '\n';
    return std::nullopt;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--vehicle" && hasValue) {
      options.vehicle = args[++i];
    } else if (arg == "--gear" && hasValue) {
      if (!TryParseInteger(args[++i], options.gear) || options.gear < 1 || options.gear > 6)
        return bad(arg, args[i]);
    } else if (arg == "--smoothing" && hasValue) {
      if (!TryParseInteger(args[++i], options.smoothing) || options.smoothing < 0 ||
          options.smoothing > 20)
        return bad(arg, args[i]);
    } else if (arg == "--sae") {
      options.sae = true;
    } else if (arg == "--export" && hasValue) {
      options.exportFile = args[++i];
    } else if (arg == "--png" && hasValue) {
      options.pngFile = args[++i];
    } else if (!arg.starts_with("--") && options.runFile.empty()) {
      options.runFile = arg;
    } else {
      invocation.err << "Argument inattendu pour power : " << arg << '\n';
      return std::nullopt;
    }
  }
  if (options.runFile.empty() || options.vehicle.empty()) {
    invocation.err << "power : FICHIER et --vehicle sont obligatoires\n";
    return std::nullopt;
  }
  return options;
}

std::optional<power::VehicleInputs> Select(const PowerOptions& options, std::ostream& err) {
  vehicle::VehicleStore store([&](std::string_view line) { err << line << '\n'; });
  if (!store.Contains(options.vehicle)) {
    err << "Véhicule inconnu : " << options.vehicle << " (dans " << store.Path() << ")\n";
    return std::nullopt;
  }
  vehicle::VehicleProfile profile = vehicle::VehicleProfile::Initial();
  profile.name = options.vehicle;
  store.LoadVehicle(options.vehicle, profile);
  return power::SelectedVehicleInputs(std::move(profile), options.gear, options.smoothing,
                                      options.sae, LocalizeDecimal(kRollingFriction));
}

void PrintStatistics(const power::StatisticsTexts& texts, std::ostream& out) {
  for (const auto& [title, text] :
       {std::pair<std::string_view, const std::string&>{"Puissance max/régime :", texts.maxPower},
        {"Couple max/régime :", texts.maxTorque},
        {"Elasticité :", texts.elasticity},
        {"%Cmax à Pmax :", texts.torqueAtPowerRatio},
        {"PME :", texts.meanPressure},
        {"Puissance spécifique :", texts.specificPower},
        {"Couple spécifique :", texts.specificTorque},
        {"Coeff. de remplissage :", texts.fillFactor},
        {"Pmoy efficace :", texts.meanEffectivePower}}) {
    out << title << ' ' << text << '\n';
  }
}

// The chart as the power tab shows it: frames and captions, the curves, the axes over them and
// the legend.
bool WriteChartPicture(const power::CurveSet& set, const std::string& legendText, double correction,
                       const std::string& path) {
  form::ManualServices env;
  form::Window window(env.services, "Form1", "", 820, 292);
  auto& frames = window.Add<form::Image>("frames", nullptr, 820, 292);
  auto& curves = window.Add<form::Image>("Image1", nullptr, 538, 240);
  auto& axes = window.Add<form::Image>("img2", nullptr, 599, 263);
  auto& legend = window.Add<form::Image>("imLeg", nullptr, 199, 88);
  auto& captions = window.Add<form::Image>("captions", nullptr, 820, 292);
  axes.SetTransparent(true);
  captions.SetTransparent(true);
  form::Canvas& frame = frames.GetCanvas();
  frame.SetBrushStyle(form::BrushStyle::Clear);
  frame.SetPenColor(form::kGray);
  frame.Rectangle(0, 24, 601, 289);
  frame.Rectangle(608, 24, 817, 129);
  frame.TextOut(612, 26, "Légende :");
  form::Canvas& text = captions.GetCanvas();
  text.SetFontColor(form::kBlue);
  text.TextOut(3, 257, "P(CV)");
  text.SetFontColor(form::kRed);
  text.TextOut(571, 257, "C(Nm)");
  text.SetFontColor(form::kBlack);
  text.TextOut(571, 273, "tr/mn");

  power::CurveChart chart(curves, axes, legend);
  chart.DrawCurves(set, {}, legendText, correction);
  chart.DrawAxes(set, power::NewestPower(set, correction).peak10, true);
  const QImage picture = qt::ComposeImages(
      820, 292,
      {{&frames, 0, 0}, {&curves, 32, 25}, {&axes, 1, 25}, {&legend, 609, 40}, {&captions, 0, 0}});
  return picture.save(QString::fromStdString(path), "PNG");
}

}  // namespace

// Computes the curve of a run file for a stored vehicle, as "Ajouter une courbe" does after the
// vehicle's selection, and prints the statistics as the labels show them.
int RunPower(const Invocation& invocation) {
  const auto parsed = ParseOptions(invocation);
  if (!parsed)
    return kExitUsage;
  const PowerOptions& options = *parsed;
  std::ostream& out = invocation.out;
  std::ostream& err = invocation.err;
  try {
    const auto selected = Select(options, err);
    if (!selected)
      return kExitFailure;
    power::PowerWorkspace workspace;
    const power::AddOutcome outcome = power::AddCurve(
        workspace, power::CurveRequest::FromRunFile(options.runFile), selected->inputs);
    if (outcome.status != power::AddOutcome::Status::kAdded) {
      err << outcome.message << '\n';
      return kExitFailure;
    }
    const double correction = power::Correction(selected->inputs);
    PrintStatistics(
        power::CurveStatisticsTexts(workspace.curves, selected->displacement, correction), out);
    out << "Échantillons : " << workspace.samples.size() - 2 << ", de "
        << FormatInteger(static_cast<std::int64_t>(workspace.curves.r0)) << " à "
        << FormatInteger(static_cast<std::int64_t>(workspace.curves.rfin)) << " tr/mn\n";
    if (!options.exportFile.empty()) {
      acquisition::WriteRunFile(options.exportFile, power::ExportRows(workspace, correction));
      out << "Données exportées : " << options.exportFile << '\n';
    }
    if (!options.pngFile.empty()) {
      if (!WriteChartPicture(workspace.curves, " " + options.vehicle, correction,
                             options.pngFile)) {
        err << "Impossible d'écrire l'image : " << options.pngFile << '\n';
        return kExitFailure;
      }
      out << "Courbes dessinées : " << options.pngFile << '\n';
    }
  } catch (const Error& error) {
    err << "Erreur : " << error.what() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace kelvra::cli
