#pragma once

#include <optional>
#include <vector>

#include "simulator/car_description.h"

namespace kelvra::simulator {

// The physical values behind the sixteen mode 01 PIDs, in their own units.
struct EngineReadings {
  double loadPercent = 0;            // 0104
  double coolantC = 0;               // 0105
  double shortTrimBank1Percent = 0;  // 0106
  double longTrimBank1Percent = 0;   // 0107
  double shortTrimBank2Percent = 0;  // 0108
  double longTrimBank2Percent = 0;   // 0109
  double fuelPressureKpa = 0;        // 010A
  double manifoldPressureKpa = 0;    // 010B
  double rpm = 0;                    // 010C
  double speedKmh = 0;               // 010D
  double timingAdvanceDeg = 0;       // 010E
  double intakeAirC = 0;             // 010F
  double airFlowGramsPerS = 0;       // 0110
  double throttlePercent = 0;        // 0111
  double egrPercent = 0;             // 012C
  double fuelLevelPercent = 0;       // 012F
};

// The car on a flat road. At rest it idles; a pull is full throttle in one gear from a given engine
// speed, integrated in 1 ms steps with the road-load balance
//   m_eff dv/dt = T(rpm) (1 - loss) ω/v - ½ ρ SCx v² - Crr m g,
// m_eff = m + I_wheels / r² + I_engine (ω/v)². When the engine reaches the redline the pull is
// over: the driver declutches and brakes, and the car is back at rest at idle.
class VehicleModel {
 public:
  explicit VehicleModel(CarDescription car = DefaultCar());  // throws kelvra::Error (CheckCar)

  const CarDescription& Car() const { return car_; }

  // gear counts from 1. Throws kelvra::Error for a gear the car does not have or an engine speed
  // outside [idle, redline).
  void StartPull(int gear, double fromRpm);
  // A steady drive in one gear at a given road speed, as for calibrating the gear's speed at
  // 1000 tr/mn; it lasts until the next pull or idle. Throws kelvra::Error as StartPull does for
  // a gear the car does not have or a speed whose engine speed is outside [idle, redline).
  void HoldSpeed(int gear, double kmh);
  void SetIdle();
  // A standing start at full throttle, as for timing 0 to 100 km/h: the clutch slips at the launch
  // engine speed until first gear carries the car, each gear is pulled to the redline and the next
  // one engaged at once; past the top gear's redline the car is back at rest. The model notes when
  // it first reaches each speed.
  void StartStandingStart();
  void Advance(double seconds);

  bool Pulling() const { return gear_ != 0; }
  bool Holding() const { return holding_; }
  bool Sprinting() const { return sprinting_; }
  // Seconds from the latest standing start to the moment the car first reached the speed (km/h,
  // interpolated within the 1 ms steps); nothing before it has got there.
  std::optional<double> SprintTimeTo(double kmh) const;
  // The engine speed the clutch slips at during the launch.
  double LaunchRpm() const;
  int Gear() const { return gear_; }  // 0 at rest
  double Rpm() const { return rpm_; }
  double SpeedKmh() const { return speedMs_ * 3.6; }
  // Seconds since the model was built: the trims drift with it even at rest.
  double Time() const { return time_; }

  EngineReadings Readings() const;

 private:
  void EngageGear(int gear);
  double Acceleration(double speedMs) const;
  void Step(double dt);
  void LaunchStep(double dt);
  void NoteSprintSpeeds(double fromKmh, double toKmh, double dt);

  CarDescription car_;
  double peakTorque_ = 0;
  int gear_ = 0;
  double metresPerSecondPerRpm_ = 0;  // of the engaged gear
  double effectiveMass_ = 0;          // of the engaged gear
  double rpm_ = 0;
  double speedMs_ = 0;
  double time_ = 0;
  bool holding_ = false;
  bool sprinting_ = false;
  bool slipping_ = false;
  double sprintTime_ = 0;
  // Seconds since the standing start at which each tenth of a km/h was first reached.
  std::vector<double> sprintCrossings_;
};

}  // namespace kelvra::simulator
