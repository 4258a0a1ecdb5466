#pragma once

#include <optional>
#include <string>
#include <vector>

#include "power/curve_set.h"
#include "power/power_sample.h"
#include "power/sample_power.h"
#include "vehicle/stored_curve.h"

namespace kelvra::power {

// What "Ajouter une courbe" reads from the power tab and the vehicle editor.
struct PowerInputs {
  float speedPer1000 = 0;     // km/h at 1000 tr/mn in the engaged gear
  int smoothing = 12;         // coefficients of the next fit, 0..20
  bool saeCorrected = false;  // "Corrigé SAE": every evaluation times the SAE factor
  RoadLoad load;
};

// A curve from a run file, or the curve stored with the selected vehicle (none when it has none).
struct CurveRequest {
  bool fromVehicle = false;
  std::string runFilePath;
  std::optional<vehicle::StoredCurve> storedCurve;

  static CurveRequest FromRunFile(std::string path) { return {false, std::move(path), {}}; }
  static CurveRequest FromVehicle(std::optional<vehicle::StoredCurve> curve) {
    return {true, {}, std::move(curve)};
  }
};

// The power tab's computation state: the curves, the samples of the latest run, the run text left
// by the latest computation (it bounds the export) and the trace of the latest run's samples.
struct PowerWorkspace {
  CurveSet curves;
  PowerSampleTable samples;
  std::vector<std::string> runText;
  std::vector<std::string> trace;
};

inline constexpr const char* kInvalidFileMessage = "Fichier invalide";
inline constexpr const char* kTooManyCurvesMessage =
    "Nombre maximal de courbes atteint, veuillez effacer.";
// Far beyond a recorded run (12000 samples), short of a fit that would exhaust memory.
inline constexpr std::size_t kMaxRunLines = 100000;
inline constexpr const char* kRunTooLongMessage = "Fichier trop long : 100000 lignes au plus.";
// A stored range outside the engine speeds the chart covers would take ages to evaluate.
inline constexpr int kMaxStoredRpm = 32000;
inline constexpr const char* kBadStoredRangeMessage =
    "Courbe du véhicule invalide : régimes hors de 0 à 32000 tr/mn.";

struct AddOutcome {
  enum class Status {
    kAdded,          // curve curveCount − 1 is new
    kNoStoredCurve,  // the vehicle has no curve: nothing to say
    kRefused,        // `message` is for a message box
  };
  Status status = Status::kAdded;
  std::string message;
  // A scale grew: the chart is blanked and its axes drawn anew.
  bool scaleGrew = false;
};

// The factor every evaluation is multiplied by.
inline double Correction(const PowerInputs& inputs) {
  return inputs.saeCorrected ? inputs.load.constants.saeFactor : 1.0;
}

// Adds one curve to the set. A refused curve leaves the curves, the range and the maxima as they
// were. Text that does not convert throws ConversionError, a zero divisor DivisionByZeroError;
// the curve set is then unchanged too.
AddOutcome AddCurve(PowerWorkspace& workspace, const CurveRequest& request,
                    const PowerInputs& inputs);

// The engine speeds "Exporter données" writes rows for, in steps of 50: those of the run text left
// by the latest computation rounded down to hundreds, or the set's range when no run text bounds
// the curve (a curve shown from the vehicle).
struct ExportRange {
  int first = 0;
  int last = -1;
};
ExportRange CurveExportRange(const PowerWorkspace& workspace);

}  // namespace kelvra::power
