#pragma once

#include <string>

namespace kelvra::diagnostics {

enum class EngineKind { Diesel, PetrolWithAirFlow, PetrolWithoutAirFlow };

// The vehicle's consumption parameters, as read from the editor at every answer.
struct ConsumptionParameters {
  EngineKind engine = EngineKind::PetrolWithAirFlow;
  double dieselAirFuelRatio = 16;  // edRTsto, :1
  double dieselDensity = 900;      // edRTrhoD, g/l
  double dieselMolarMass = 150;    // edRTmolD, g/mol
  double petrolDensity = 700;      // edRTrhoE, g/l
  double fillingPercent = 90;      // edRTrempl, %
  double petrolMolarMass = 120;    // edRTmolE, g/mol
  double displacementCm3 = 1000;   // edCyl
};

// The decoded values the estimate reads.
struct ConsumptionReadings {
  double shortTrimPercent = 0;  // slot 2
  double manifoldKpa = 0;       // slot 7
  double rpm = 0;               // slot 8
  double intakeAirC = 0;        // slot 11
  double airFlowGramsPerS = 0;  // slot 12
  double throttlePercent = 0;   // slot 13
};

// The instant fuel consumption in litres per hour, single precision.
float LitresPerHour(const ConsumptionParameters& parameters, const ConsumptionReadings& readings);

// Litres per 100 km at a speed in km/h: "oo" when the car stands.
std::string LitresPer100Text(float litresPerHour, double speedKmh);

}  // namespace kelvra::diagnostics
