#pragma once

#include <set>
#include <string>
#include <vector>

namespace kelvra::simulator {

// One point of the full-throttle torque curve.
struct TorquePoint {
  double rpm = 0;
  double torqueNm = 0;
};

// Everything the simulated car needs to know about itself: the engine, the gearing, the road load
// and which mode 01 PIDs its engine computer answers.
struct CarDescription {
  std::string name;
  std::vector<TorquePoint> torqueCurve;  // rising engine speeds; linear in between
  double idleRpm = 0;
  double redlineRpm = 0;
  std::vector<double> gearSpeedsPer1000;  // km/h at 1000 tr/mn, first gear first (1 to 6 gears)
  double massKg = 0;                      // car, driver and load
  double dragAreaM2 = 0;                  // SCx
  double rollingCoefficient = 0;          // tyre rolling resistance, Crr
  double airDensity = 0;                  // kg/m³
  double transmissionLossPercent = 0;
  double wheelRadiusM = 0;
  double wheelsInertia = 0;    // the four wheels together, kg·m²
  double engineInertia = 0;    // engine and gearbox, seen at the crankshaft, kg·m²
  double displacementCm3 = 0;  // sets the air flow
  double fuelLevelPercent = 0;
  std::set<int> unsupportedPids;  // mode 01 PIDs answered with NO DATA
};

// A 1.2 t hatchback of about 110 cv at 5500 tr/mn.
CarDescription DefaultCar();

// Full-throttle torque at an engine speed: linear between the points, the end values outside.
double TorqueAt(const CarDescription& car, double rpm);

// Throws kelvra::Error naming the first value that makes the car unusable.
void CheckCar(const CarDescription& car);

}  // namespace kelvra::simulator
