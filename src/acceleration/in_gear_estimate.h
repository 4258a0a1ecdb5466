#pragma once

#include <array>
#include <string>
#include <vector>

#include "acceleration/acceleration_diagram.h"

namespace kelvra::acceleration {

inline constexpr const char* kInvalidGearMessage = "Rapport invalide";
inline constexpr const char* kInvalidSpeedsMessage = "Vitesses invalides";

// The texts "Calculer" of the group "Reprises / Accélération" reads.
struct EstimateInputs {
  std::string startSpeed = "80";  // Edit5, km/h
  std::string endSpeed = "120";   // Edit7, km/h
  std::string gear = "3";         // Edit8, from 1
  std::array<std::string, kGears> gearSpeedTexts;
  std::vector<std::string> engineSpeeds;  // meReg
};

// The checks before the computation: a message for a box, or the gear and speeds to integrate.
struct EstimatePlan {
  std::string message;  // empty when the estimate may go on
  int gear = 0;         // from 0
  double speedPer1000 = 0;
  double startKmh = 0;
  double endKmh = 0;
};
EstimatePlan PlanInGearTime(const EstimateInputs& inputs);

// The time from the start to the end speed in the planned gear, integrated in steps of 0.01 s on
// the accelerations (m/s²) of the latest computation, at most 60 s: the text of lbResRepr ("7,3s").
std::string InGearTime(const EstimatePlan& plan, const std::vector<std::string>& engineSpeeds,
                       const AccelerationDiagram::Table& accel);

}  // namespace kelvra::acceleration
