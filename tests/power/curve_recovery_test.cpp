#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "power/curve_computation.h"
#include "run_files.h"

namespace kelvra::power {
namespace {

// The engine's torque, N·m, peaking near 4600 tr/mn; power peaks higher up.
double TrueTorque(double rpm) {
  const double d = rpm - 1500;
  return 120 + 0.05 * d - 8e-6 * d * d;
}
double TruePower(double rpm) {
  return rpm * TrueTorque(rpm) / 7021;
}

PowerInputs Car() {
  PowerInputs inputs;
  inputs.speedPer1000 = 25;
  inputs.smoothing = 12;
  vehicle::DerivedConstants& k = inputs.load.constants;
  k.aeroCoefficient = 0.5f * 1.2f * 0.63f / (3.6f * 3.6f * 3.6f);
  k.rollingCoefficient = 1150 * 9.8f * 0.015f / 3.6f;
  k.inertiaCoefficient = 1150 / (3.6f * 3.6f);
  k.transmissionLoss = 0.15f;
  inputs.load.tyreCircumference = 1.9f;
  inputs.load.wheelMass = 12;
  inputs.load.rotatingInertia = 0.2f;
  return inputs;
}

// The engine speed's rate of change under full load: the road-load model solved for the rate.
double RpmRate(double rpm, const PowerInputs& in) {
  const vehicle::DerivedConstants& k = in.load.constants;
  const double cv = kCvPerKw * 0.001;
  const double loss = k.transmissionLoss;
  const double a1 = in.speedPer1000 * 0.001;  // km/h per tr/mn
  const double v = a1 * rpm;
  const double circ = in.load.tyreCircumference;
  const double r = circ / (2 * std::numbers::pi);
  const double w = 2 * std::numbers::pi / 60;
  const double base = (k.aeroCoefficient * v * v * v + k.rollingCoefficient * v) * cv / (1 - loss);
  const double perRate = (k.inertiaCoefficient * v * a1 / (1 - loss) +
                          (4 * in.load.wheelMass * r * r * a1 * v / (circ * circ) +
                           w * w * rpm * in.load.rotatingInertia) *
                              loss) *
                         cv;
  return (TruePower(rpm) - base) / perRate;
}

// A pull from 1500 to 6800 tr/mn read as whole engine speeds 20 times a second.
std::vector<std::string> SimulatedRun(const PowerInputs& inputs) {
  std::vector<double> rpms;
  double rpm = 1500;
  const double dt = 0.001;
  for (int step = 0; rpm < 6800; ++step) {
    if (step % 50 == 0)
      rpms.push_back(std::trunc(rpm));
    const double k1 = RpmRate(rpm, inputs);
    const double k2 = RpmRate(rpm + dt / 2 * k1, inputs);
    const double k3 = RpmRate(rpm + dt / 2 * k2, inputs);
    const double k4 = RpmRate(rpm + dt * k3, inputs);
    rpm += dt / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
  }
  return test::RunLines(rpms, 0.05);
}

TEST(CurveRecoveryTest, PeakPowerWithinHalfAPercentAtSmoothingTwelve) {
  const PowerInputs inputs = Car();
  const std::vector<std::string> lines = SimulatedRun(inputs);
  ASSERT_GT(lines.size(), 100u);
  test::RunFiles files;
  PowerWorkspace workspace;
  const AddOutcome outcome =
      AddCurve(workspace, CurveRequest::FromRunFile(files.Write(lines)), inputs);
  ASSERT_EQ(outcome.status, AddOutcome::Status::kAdded) << outcome.message;

  double truePeak = 0;
  double peakRpm = 0;
  for (double rpm = 1500; rpm <= 6800; rpm += 1)
    if (TruePower(rpm) > truePeak)
      truePeak = TruePower(rpm), peakRpm = rpm;
  const CurvePeaks& peaks = workspace.curves.peaks;
  const double error = peaks.power10 * 0.1 / truePeak - 1;
  EXPECT_NEAR(error, 0, 0.005) << peaks.power10 * 0.1 << " cv against " << truePeak;
  EXPECT_NEAR(peaks.rpmAtMaxPower, peakRpm, 250);
  // Differentiating whole-rpm readings lifts single samples above the truth: they only widen the
  // chart's scale, the statistics follow the fitted curve.
  const CurveSet& set = workspace.curves;
  EXPECT_GT(set.maxPower10, truePeak * 10 * 1.01);
  double curvePeak = 0;
  for (int rpm = static_cast<int>(set.r0); rpm < set.rfin; rpm += 50)
    curvePeak = std::max(curvePeak, EvaluateCurve(set, 0, rpm, Quantity::kPower));
  EXPECT_EQ(peaks.power10, curvePeak);
  EXPECT_EQ(peaks.torqueAtMaxPower10,
            EvaluateCurve(set, 0, peaks.rpmAtMaxPower, Quantity::kTorque));
  RecordProperty("peak_power_error_percent", std::to_string(100 * error));
  RecordProperty("samples", std::to_string(lines.size() - 2));
}

}  // namespace
}  // namespace kelvra::power
