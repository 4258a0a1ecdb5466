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
  gear_ = gear;
  holding_ = false;
  metresPerSecondPerRpm_ = car_.gearSpeedsPer1000[gear - 1] / 1000 / 3.6;
  const double radPerMetre = kRadPerSecPerRpm / metresPerSecondPerRpm_;  // ω/v
  effectiveMass_ = car_.massKg + car_.wheelsInertia / (car_.wheelRadiusM * car_.wheelRadiusM) +
                   car_.engineInertia * radPerMetre * radPerMetre;
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

void VehicleModel::SetIdle() {
  gear_ = 0;
  holding_ = false;
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
    Step(dt);
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
  if (rpm_ >= car_.redlineRpm)
    SetIdle();
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
