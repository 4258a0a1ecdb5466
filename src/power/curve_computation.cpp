#include "power/curve_computation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/errors.h"
#include "common/number_text.h"
#include "power/run_text_loader.h"
#include "power/torque_fit.h"

namespace kelvra::power {
namespace {

AddOutcome Refused(std::string message) {
  return {AddOutcome::Status::kRefused, std::move(message), false};
}

// The fit reads engine speeds back as whole numbers, as they are recorded.
double WholeRpm(float rpm) {
  if (std::trunc(rpm) != rpm || !std::isfinite(rpm))
    throw ConversionError("'" + FormatGeneral(rpm) + "' is not a valid integer value");
  return rpm;
}

// The scales and the statistics' peaks from the newest curve, over the set's range by 50 tr/mn.
bool RaiseMaxima(CurveSet& set, int k, double correction) {
  bool grew = false;
  for (std::int64_t rpm = static_cast<std::int64_t>(set.r0); rpm < set.rfin; rpm += 50) {
    const int n = static_cast<int>(rpm);
    const double power = EvaluateCurve(set, k, n, Quantity::kPower, correction);
    const double torque = EvaluateCurve(set, k, n, Quantity::kTorque, correction);
    if (power > set.maxPower10) {
      set.maxPower10 = static_cast<float>(power);
      grew = true;
    }
    if (torque > set.maxTorque10) {
      set.maxTorque10 = static_cast<float>(torque);
      grew = true;
    }
    if (power > set.peaks.power10) {
      set.peaks.power10 = power;
      set.peaks.rpmAtMaxPower = n;
      set.peaks.torqueAtMaxPower10 = torque;
    }
    if (torque > set.peaks.torque10) {
      set.peaks.torque10 = torque;
      set.peaks.rpmAtMaxTorque = n;
    }
  }
  return grew;
}

}  // namespace

AddOutcome AddCurve(PowerWorkspace& workspace, const CurveRequest& request,
                    const PowerInputs& inputs) {
  CurveSet& set = workspace.curves;
  if (request.fromVehicle && !request.storedCurve)
    return {AddOutcome::Status::kNoStoredCurve, {}, false};
  if (request.fromVehicle) {
    const vehicle::StoredCurve& stored = *request.storedCurve;
    if (stored.startRpm < 0 || stored.endRpm > kMaxStoredRpm || stored.startRpm > kMaxStoredRpm ||
        stored.endRpm < 0)
      return Refused(kBadStoredRangeMessage);
  }
  std::vector<std::string> runText;
  if (!request.fromVehicle) {
    auto lines = ReadRunFile(request.runFilePath);
    if (!lines)
      return Refused(kInvalidFileMessage);
    if (lines->size() > kMaxRunLines)
      return Refused(kRunTooLongMessage);
    runText = std::move(*lines);
  }
  workspace.trace.clear();
  workspace.runText = std::move(runText);
  if (!request.fromVehicle)
    LoadRunText(workspace.runText, workspace.samples);
  set.readoutEnabled = true;
  set.curveAvailable = true;
  if (set.curveCount >= CurveSet::kMaxCurves)
    return Refused(kTooManyCurvesMessage);

  const int k = set.curveCount;
  CurveSet next = set;
  bool grew = false;
  if (request.fromVehicle) {
    next.columns[k] = request.storedCurve->coefficients;
    next.r0 = static_cast<float>(request.storedCurve->startRpm);
    next.rfin = static_cast<float>(request.storedCurve->endRpm);
  } else {
    PowerSampleTable& samples = workspace.samples;
    const std::size_t count = samples.size() >= 2 ? samples.size() - 2 : 0;
    const int coefficients = std::clamp(inputs.smoothing, 0, CurveSet::kMaxCoefficients);
    if (count == 0 || count < static_cast<std::size_t>(coefficients)) {
      if (!workspace.runText.empty())
        workspace.runText.pop_back();
      return Refused(TooFewPointsMessage(count, coefficients));
    }
    std::vector<double> rpms;
    std::vector<double> torques;
    rpms.reserve(count);
    torques.reserve(count);
    for (std::size_t j = 1; j <= count; ++j) {
      PowerSample& sample = samples[j];
      sample.power10 = static_cast<float>(std::trunc(
          10 * static_cast<double>(SamplePower(sample, inputs.speedPer1000, inputs.load))));
      sample.torque10 = SampleTorque10(sample.power10, sample.rpm);
      if (sample.power10 > next.maxPower10) {
        next.maxPower10 = sample.power10;
        grew = true;
      }
      if (sample.torque10 > next.maxTorque10) {
        next.maxTorque10 = sample.torque10;
        grew = true;
      }
      workspace.trace.push_back("R:" + FormatGeneral(sample.rpm) +
                                " P:" + FormatGeneral(sample.power10 * 0.1) +
                                " C:" + FormatGeneral(sample.torque10 * 0.1));
      rpms.push_back(WholeRpm(sample.rpm));
      torques.push_back(sample.torque10 * 0.1);
    }
    float rpmMax = 0;
    for (std::size_t j = 0; j < count; ++j)
      rpmMax = std::max(rpmMax, std::trunc(samples[j].rpm));
    next.r0 = std::min(next.r0, samples[0].rpm);
    next.rfin = std::max(next.rfin, rpmMax);
    next.columns[k] = FitTorqueCurve(rpms, torques, coefficients);
  }
  if (!workspace.runText.empty())
    workspace.runText.pop_back();
  next.curveCount = k + 1;
  grew = RaiseMaxima(next, k, Correction(inputs)) || grew;
  set = std::move(next);
  return {AddOutcome::Status::kAdded, {}, grew};
}

ExportRange CurveExportRange(const PowerWorkspace& workspace) {
  const std::size_t lines = workspace.runText.size();
  if (lines == 0 || lines > workspace.samples.size()) {
    const CurveSet& set = workspace.curves;
    return {static_cast<int>(std::trunc(set.r0 * 0.01)) * 100,
            static_cast<int>(std::trunc(set.rfin * 0.01)) * 100};
  }
  return {static_cast<int>(std::trunc(workspace.samples.front().rpm * 0.01)) * 100,
          static_cast<int>(std::trunc(workspace.samples[lines - 1].rpm * 0.01)) * 100};
}

}  // namespace kelvra::power
