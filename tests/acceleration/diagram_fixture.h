#pragma once

#include <string>
#include <vector>

#include "acceleration/acceleration_diagram.h"

namespace kelvra::acceleration::test {

// Power rows 1000 … 6000 tr/mn in cv and five gears, on the constants before any vehicle.
inline DiagramInputs FiveGears() {
  DiagramInputs in;
  in.rows.speeds = {"1000", "2000", "3000", "4000", "5000", "6000"};
  in.rows.values = {"30", "45", "60", "75", "85", "80"};
  in.gearSpeedTexts = {"8", "14", "20", "26", "32", "0"};
  return in;
}

// Constant torque without drag or rolling resistance: the same acceleration at every speed of a
// gear, a = T × 0.7352941 / 7021 × 1000 × 3.6 / (speed per 1000 × 0.001) / mass.
inline DiagramInputs ConstantTorque(const std::string& torque, const std::string& gear3Speed) {
  DiagramInputs in;
  for (int rpm = 1000; rpm <= 6000; rpm += 100) {
    in.rows.speeds.push_back(std::to_string(rpm));
    in.rows.values.push_back(torque);
  }
  in.kind = ValueKind::kTorqueNm;
  in.gearSpeedTexts = {"10", "20", gear3Speed, "40", "50", "0"};
  in.constants.dragArea = 0;
  in.tyreFriction = false;
  return in;
}

inline double ConstantTorqueAcceleration(double torque, double speedPer1000, double mass) {
  return torque * 0.7352941176470588 / 7021 * 1000 * 3.6 / (speedPer1000 * 0.001) / mass;
}

}  // namespace kelvra::acceleration::test
