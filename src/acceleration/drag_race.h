#pragma once

#include <optional>
#include <string>
#include <vector>

#include "acceleration/acceleration_diagram.h"

namespace kelvra::acceleration {

// A best-gear envelope as the diagram left it: speeds in km/h against accelerations in the unit
// the diagram showed then.
struct RaceEnvelope {
  Points points;
  float topSpeed = 0;         // km/h
  bool kmhPerSecond = false;  // the accelerations are in km/h/s
};

inline constexpr const char* kNoEnvelopeMessage =
    "Pas d'accélération max : calculer le diagramme avec « Max » coché.";

// One car of the race.
struct RaceCar {
  Points envelope;  // accelerations in m/s²
  float topSpeed = 0;
  float speed = 0;  // m/s
  float dist = 0;   // m
  int point = 0;
  bool done100 = false;
  bool done400 = false;
  bool passed80 = false;
  bool done120 = false;
  float t80 = 0;
};

// What one step changed that the window shows beyond positions and speeds.
struct RaceStepReport {
  std::vector<std::string> lines1;  // new lines of Memo1
  std::vector<std::string> lines2;  // new lines of Memo2
  bool trackMoved = false;
};

// The drag race of two envelopes from a common rolling start, stepped 0.01 s at a time.
class DragRace {
 public:
  static constexpr float kStep = 0.01f;

  // A fresh race: car 1 on the current envelope, car 2 on the memorised one when it has points.
  // Returns the message to show instead when car 1 has no envelope.
  std::optional<std::string> Start(const RaceEnvelope& current, const RaceEnvelope& memorised);
  RaceStepReport Step();
  // The race ends at 1000 m when asked: once a car has covered more than 1000 m.
  bool PastFinish() const { return car1_.dist > 1000 || car2_.dist > 1000; }

  const RaceCar& Car1() const { return car1_; }
  const RaceCar& Car2() const { return car2_; }
  bool Car2Runs() const { return car2Runs_; }
  float SimTime() const { return simTime_; }
  float StartSpeed() const { return startSpeed_; }
  int TrackOffset() const { return trackOffset_; }

  // The texts of the statistics.
  std::string ElapsedText() const;                   // Label4
  std::string GapText() const;                       // Label11
  static std::string SpeedText(const RaceCar& car);  // Label5, Label7

 private:
  void Results(RaceCar& car, std::vector<std::string>& lines) const;

  RaceCar car1_;
  RaceCar car2_;
  bool car2Runs_ = false;
  float simTime_ = 0;
  float startSpeed_ = 0;
  // The start speed as the envelope gave it, so that the results read "20-100", not "19-100".
  double startKmh_ = 0;
  int trackOffset_ = 4;
};

}  // namespace kelvra::acceleration
