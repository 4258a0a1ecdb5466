#include "acceleration/drag_race.h"

#include <algorithm>

#include "acceleration/truncation.h"
#include "common/number_text.h"

namespace kelvra::acceleration {

namespace {

constexpr double kCarsPerMetre = 0.23809523809523808;  // a car is 4.2 m long

// The race works in m/s² whatever unit the diagram showed.
RaceCar CarOf(const RaceEnvelope& envelope) {
  RaceCar car;
  car.envelope = envelope.points;
  if (envelope.kmhPerSecond) {
    for (form::ChartPoint& p : car.envelope)
      p.y /= 3.6;
  }
  car.topSpeed = envelope.topSpeed;
  return car;
}

void Accelerate(RaceCar& car) {
  if (car.speed * 3.6 < car.topSpeed)
    car.speed += static_cast<float>(car.envelope[car.point].y * DragRace::kStep);
}

// The first point whose speed is not below the car's, or the last one; never backwards.
void FollowEnvelope(RaceCar& car) {
  const int last = static_cast<int>(car.envelope.size()) - 1;
  while (car.envelope[car.point].x < car.speed * 3.6 && car.point < last)
    ++car.point;
}

std::string Hundredths(float time) {
  return FormatGeneral(static_cast<double>(Trunc(time * 100.0)) * 0.01);
}

}  // namespace

std::optional<std::string> DragRace::Start(const RaceEnvelope& current,
                                           const RaceEnvelope& memorised) {
  if (current.points.empty())
    return std::string(kNoEnvelopeMessage);
  car1_ = CarOf(current);
  car2Runs_ = !memorised.points.empty();
  car2_ = car2Runs_ ? CarOf(memorised) : RaceCar{};
  simTime_ = 0;
  trackOffset_ = 4;
  // A rolling start at the higher of the two envelopes' first speeds.
  double startKmh = car1_.envelope.front().x;
  if (car2Runs_)
    startKmh = std::max(startKmh, car2_.envelope.front().x);
  startKmh_ = startKmh;
  startSpeed_ = static_cast<float>(startKmh / 3.6);
  car1_.speed = startSpeed_;
  car2_.speed = car2Runs_ ? startSpeed_ : 0;
  return std::nullopt;
}

RaceStepReport DragRace::Step() {
  RaceStepReport report;
  Accelerate(car1_);
  if (car2Runs_)
    Accelerate(car2_);
  FollowEnvelope(car1_);
  if (car2Runs_)
    FollowEnvelope(car2_);
  car1_.dist += car1_.speed * kStep;
  simTime_ += kStep;
  car2_.dist += car2_.speed * kStep;
  Results(car1_, report.lines1);
  if (car2Runs_)
    Results(car2_, report.lines2);
  if (car1_.dist - 1000 > trackOffset_) {
    trackOffset_ += 1000;
    report.trackMoved = true;
  }
  return report;
}

void DragRace::Results(RaceCar& car, std::vector<std::string>& lines) const {
  const std::string t = Hundredths(simTime_);
  const std::string start = FormatInteger(Trunc(startKmh_));
  const double kmh = car.speed * 3.6;
  if (!car.done100 && kmh >= 100) {
    car.done100 = true;
    lines.push_back(start + "-100 : " + t + "s " + FormatInteger(Trunc(car.dist)) + "m");
  }
  if (!car.done400 && car.dist >= 400) {
    car.done400 = true;
    lines.push_back("400m de " + start + "km/h : " + t + "s " + FormatInteger(Trunc(kmh)) + "km/h");
  }
  if (!car.passed80 && kmh >= 80) {
    car.passed80 = true;
    car.t80 = simTime_;
  }
  if (!car.done120 && car.passed80 && kmh >= 120) {
    car.done120 = true;
    lines.push_back("80-120 : " + FormatGeneral(static_cast<float>(simTime_ - car.t80)) + "s");
  }
}

std::string DragRace::ElapsedText() const {
  return Hundredths(simTime_);
}

std::string DragRace::GapText() const {
  const double gap = static_cast<double>(car2_.dist) - car1_.dist;
  return FormatInteger(Trunc(gap)) + "m " +
         FormatInteger(Trunc(car2_.speed * 3.6 - car1_.speed * 3.6)) + "km/h " +
         FormatInteger(Trunc(gap * kCarsPerMetre)) + " bagnoles";
}

std::string DragRace::SpeedText(const RaceCar& car) {
  return FormatInteger(Trunc(car.speed * 3.6)) + "km/h";
}

}  // namespace kelvra::acceleration
