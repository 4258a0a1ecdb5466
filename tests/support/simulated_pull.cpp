#include "support/simulated_pull.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

#include "common/number_text.h"
#include "simulator/vehicle_model.h"

namespace kelvra::testing {

namespace {

// The editor's start-up texts that no vehicle key replaces.
constexpr double kRollingFriction = 0.015;
constexpr double kPressureMbar = 990;
constexpr double kTemperatureC = 20;
constexpr double kKelvraGravity = 9.8;
constexpr double kSimulatorGravity = 9.81;

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

}  // namespace

simulator::CarDescription KelvraComparableCar(simulator::CarDescription car) {
  car.rollingCoefficient = kRollingFriction * kKelvraGravity / kSimulatorGravity;
  car.airDensity = kPressureMbar * 2.9 * 0.12027904738994467 / (kTemperatureC + 273);
  return car;
}

std::vector<std::pair<std::string, std::string>> MatchingVehicleKeys(
    const simulator::CarDescription& car) {
  const double loss = car.transmissionLossPercent / 100;
  const double r = car.wheelRadiusM;
  // Wheels: Kelvra's 4 m r² a v / circ² is 4 m a v / (2π)² with v, a in km/h; the car's is
  // I / r² · v a / 3,6².
  const double wheelMass = std::numbers::pi * std::numbers::pi * car.wheelsInertia /
                           (r * r * 3.6 * 3.6 * loss * (1 - loss));
  const double inertia = car.engineInertia / (loss * (1 - loss));
  std::vector<std::pair<std::string, std::string>> keys;
  for (std::size_t g = 0; g < car.gearSpeedsPer1000.size(); ++g)
    keys.emplace_back("v" + std::to_string(g + 1) + "e", Number(car.gearSpeedsPer1000[g]));
  keys.emplace_back("masse", Number(car.massKg));
  keys.emplace_back("masseeqpt", "0");
  keys.emplace_back("SCX", Number(car.dragAreaM2));
  keys.emplace_back("PT", Number(car.transmissionLossPercent));
  keys.emplace_back("inertieR", Number(wheelMass));
  keys.emplace_back("inertieT", Number(inertia));
  keys.emplace_back("cylindree", Number(car.displacementCm3));
  return keys;
}

std::string MatchingVehicleFile(const simulator::CarDescription& car, const std::string& name) {
  std::string file = "[liste]\n" + name + "=" + name + "\n[" + name + "]\n";
  for (const auto& [key, value] : MatchingVehicleKeys(car))
    file += key + "=" + value + "\n";
  return file;
}

std::vector<std::string> SimulatedPullLines(const simulator::CarDescription& car, int gear,
                                            double fromRpm, double rate, double jitter,
                                            unsigned seed) {
  simulator::VehicleModel model(car);
  model.StartPull(gear, fromRpm);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> offset(-jitter, jitter);
  std::vector<std::string> lines;
  const double period = 1 / rate;
  for (int i = 0; model.Pulling(); ++i) {
    if (i > 0)
      model.Advance(period);
    if (!model.Pulling())
      break;
    const double stamp = std::max(0.0, i * period + (jitter > 0 ? offset(random) : 0));
    lines.push_back(FormatGeneral(std::round(stamp * 1000) / 1000) + ";" +
                    FormatInteger(static_cast<std::int64_t>(model.Rpm())));
  }
  return lines;
}

TruePeak TruePeakPower(const simulator::CarDescription& car, double fromRpm, double toRpm) {
  TruePeak peak;
  for (double rpm = fromRpm; rpm <= toRpm; rpm += 1) {
    const double cv = simulator::TorqueAt(car, rpm) * rpm * 2 * std::numbers::pi / 60 * 0.001 *
                      1.3596193065941535;
    if (cv > peak.cv)
      peak = {cv, rpm};
  }
  return peak;
}

}  // namespace kelvra::testing
