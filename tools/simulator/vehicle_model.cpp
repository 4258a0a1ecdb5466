#include "simulator/vehicle_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::simulator {

namespace {

constexpr double kStepSeconds = 0.001;
constexpr double kGravity = 9.81;
constexpr double kRadPerSecPerRpm = 2 * std::numbers::pi / 60;
constexpr double kStandardPressureKpa = 101.3;
// The standing start's launch: the clutch slips with the engine held here (within idle..redline).
constexpr double kLaunchRpm = 3000;
// Speeds noted during a standing start, in tenths of a km/h.
constexpr int kSprintTenthsPerKmh = 10;
constexpr int kSprintTopKmh = 300;

}  // namespace

VehicleModel::VehicleModel(CarDescription car) : car_(std::move(car)) {
  CheckCar(car_);
  for (const TorquePoint& point : car_.torqueCurve)
    peakTorque_ = std::max(peakTorque_, point.torqueNm);
  SetIdle();
}

void VehicleModel::StartPull(int gear, double fromRpm) {
  if (gear < 1 || gear > static_cast<int>(car_.gearSpeedsPer1000.size()))
    throw Error("Rapport inexistant : " + std::to_string(gear));
  if (!(fromRpm >= car_.idleRpm && fromRpm < car_.redlineRpm))
    throw Error("Régime de départ hors de la plage ralenti - zone rouge : " +
                FormatGeneral(fromRpm));
  EngageGear(gear);
  holding_ = false;
  sprinting_ = false;
  slipping_ = false;
  rpm_ = fromRpm;
  speedMs_ = fromRpm * metresPerSecondPerRpm_;
}

void VehicleModel::HoldSpeed(int gear, double kmh) {
  if (gear < 1 || gear > static_cast<int>(car_.gearSpeedsPer1000.size()))
    throw Error("Rapport inexistant : " + std::to_string(gear));
  const double rpm = kmh / car_.gearSpeedsPer1000[gear - 1] * 1000;
  if (!(rpm >= car_.idleRpm && rpm < car_.redlineRpm))
    throw Error("Vitesse hors de la plage ralenti - zone rouge du rapport : " + FormatGeneral(kmh));
  StartPull(gear, rpm);
  holding_ = true;
}

void VehicleModel::EngageGear(int gear) {
  gear_ = gear;
  metresPerSecondPerRpm_ = car_.gearSpeedsPer1000[gear - 1] / 1000 / 3.6;
  const double radPerMetre = kRadPerSecPerRpm / metresPerSecondPerRpm_;  // ω/v
  effectiveMass_ = car_.massKg + car_.wheelsInertia / (car_.wheelRadiusM * car_.wheelRadiusM) +
                   car_.engineInertia * radPerMetre * radPerMetre;
}

double VehicleModel::LaunchRpm() const {
  return std::clamp(kLaunchRpm, car_.idleRpm, car_.redlineRpm - 1);
}

void VehicleModel::StartStandingStart() {
  EngageGear(1);
  holding_ = false;
  sprinting_ = true;
  slipping_ = true;
  sprintTime_ = 0;
  sprintCrossings_.clear();
  speedMs_ = 0;
  rpm_ = LaunchRpm();
}

std::optional<double> VehicleModel::SprintTimeTo(double kmh) const {
  const double tenths = kmh * kSprintTenthsPerKmh;
  if (!(tenths >= 0))
    return std::nullopt;
  const auto below = static_cast<std::size_t>(tenths);
  if (below + 1 >= sprintCrossings_.size())
    return below < sprintCrossings_.size() && tenths == below
               ? std::optional<double>(sprintCrossings_[below])
               : std::nullopt;
  const double fraction = tenths - below;
  return sprintCrossings_[below] +
         fraction * (sprintCrossings_[below + 1] - sprintCrossings_[below]);
}

void VehicleModel::NoteSprintSpeeds(double fromKmh, double toKmh, double dt) {
  // Each tenth of a km/h passed during this step, at its time by linear interpolation.
  while (sprintCrossings_.size() <= static_cast<std::size_t>(kSprintTopKmh * kSprintTenthsPerKmh)) {
    const double next = static_cast<double>(sprintCrossings_.size()) / kSprintTenthsPerKmh;
    if (next > toKmh)
      break;
    const double share = toKmh > fromKmh ? (next - fromKmh) / (toKmh - fromKmh) : 1;
    sprintCrossings_.push_back(sprintTime_ - dt + std::clamp(share, 0.0, 1.0) * dt);
  }
}

void VehicleModel::SetIdle() {
  gear_ = 0;
  holding_ = false;
  sprinting_ = false;
  slipping_ = false;
  rpm_ = car_.idleRpm;
  speedMs_ = 0;
}

void VehicleModel::Advance(double seconds) {
  if (!(seconds > 0))
    return;
  time_ += seconds;
  double remaining = seconds;
  // A steady drive: the driver holds the throttle where the road load balances it.
  while (Pulling() && !holding_ && remaining > 1e-12) {
    const double dt = std::min(kStepSeconds, remaining);
    const double before = SpeedKmh();
    if (slipping_) {
      LaunchStep(dt);
    } else {
      Step(dt);
    }
    if (sprinting_) {
      sprintTime_ += dt;
      NoteSprintSpeeds(before, SpeedKmh(), dt);
    }
    remaining -= dt;
  }
}

double VehicleModel::Acceleration(double speedMs) const {
  const double rpm = speedMs / metresPerSecondPerRpm_;
  // Power balance at the wheel: F v = T ω (1 - loss).
  const double wheelForce = TorqueAt(car_, rpm) * (1 - car_.transmissionLossPercent / 100) *
                            kRadPerSecPerRpm / metresPerSecondPerRpm_;
  const double drag = 0.5 * car_.airDensity * car_.dragAreaM2 * speedMs * speedMs;
  const double rolling = car_.rollingCoefficient * car_.massKg * kGravity;
  return (wheelForce - drag - rolling) / effectiveMass_;
}

void VehicleModel::Step(double dt) {
  // Midpoint rule: the forces change little over a millisecond, but it costs nothing.
  const double half = speedMs_ + Acceleration(speedMs_) * dt / 2;
  speedMs_ += Acceleration(half) * dt;
  // A car too weak for the gear does not stall the engine: it holds the idle speed.
  speedMs_ = std::max(speedMs_, car_.idleRpm * metresPerSecondPerRpm_);
  rpm_ = speedMs_ / metresPerSecondPerRpm_;
  if (rpm_ < car_.redlineRpm)
    return;
  if (sprinting_ && gear_ < static_cast<int>(car_.gearSpeedsPer1000.size())) {
    // The next gear at once, at the same road speed.
    EngageGear(gear_ + 1);
    rpm_ = speedMs_ / metresPerSecondPerRpm_;
    return;
  }
  SetIdle();
}

void VehicleModel::LaunchStep(double dt) {
  // The slipping clutch passes the engine's torque at the launch speed; the engine itself is not
  // tied to the wheels yet.
  const double rpm = LaunchRpm();
  const double wheelForce = TorqueAt(car_, rpm) * (1 - car_.transmissionLossPercent / 100) *
                            kRadPerSecPerRpm / metresPerSecondPerRpm_;
  const double mass = car_.massKg + car_.wheelsInertia / (car_.wheelRadiusM * car_.wheelRadiusM);
  const double drag = 0.5 * car_.airDensity * car_.dragAreaM2 * speedMs_ * speedMs_;
  const double rolling = car_.rollingCoefficient * car_.massKg * kGravity;
  speedMs_ += std::max(0.0, wheelForce - drag - rolling) / mass * dt;
  rpm_ = rpm;
  if (speedMs_ >= rpm * metresPerSecondPerRpm_) {
    slipping_ = false;
    speedMs_ = rpm * metresPerSecondPerRpm_;
  }
}

EngineReadings VehicleModel::Readings() const {
  EngineReadings r;
  const bool pulling = Pulling();
  const double span = car_.redlineRpm - car_.idleRpm;
  const double relativeTorque = TorqueAt(car_, rpm_) / peakTorque_;
  r.rpm = rpm_;
  r.speedKmh = SpeedKmh();
  r.coolantC = 90;
  r.intakeAirC = 25;
  // Closed loop at idle makes the short-term trims swing; full throttle runs open loop.
  r.shortTrimBank1Percent = pulling ? 0 : 2.3 * std::sin(2 * std::numbers::pi * time_ / 1.7);
  r.shortTrimBank2Percent = pulling ? 0 : 2.3 * std::sin(2 * std::numbers::pi * time_ / 1.9);
  r.longTrimBank1Percent = 1.6;
  r.longTrimBank2Percent = -0.8;
  r.fuelPressureKpa = 380;
  r.manifoldPressureKpa = pulling ? 99 : 35;
  r.loadPercent = pulling ? 100 * relativeTorque : 22;
  r.throttlePercent = pulling ? 89.8 : 14.5;
  r.timingAdvanceDeg = pulling ? 8 + 22 * (rpm_ - car_.idleRpm) / span : 10;
  r.egrPercent = 0;
  r.fuelLevelPercent = car_.fuelLevelPercent;
  // Speed-density: swept volume per second × air density × filling.
  const double filling =
      (pulling ? 0.9 * relativeTorque : 0.8) * r.manifoldPressureKpa / kStandardPressureKpa;
  r.airFlowGramsPerS = car_.displacementCm3 * 1e-6 * rpm_ / 120 * car_.airDensity * filling * 1000;
  return r;
}

}  // namespace kelvra::simulator
