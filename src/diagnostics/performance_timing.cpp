#include "diagnostics/performance_timing.h"

#include <cmath>
#include <cstdio>

#include "common/number_text.h"

namespace kelvra::diagnostics {

namespace {

int EditAsWhole(const form::Edit& edit) {
  return static_cast<int>(std::trunc(ParseReal(edit.Text())));
}

// Seconds and milliseconds of a time of day: minutes and hours dropped, samples come far less
// than a minute apart.
double ShortSeconds(DateTime duration) {
  const TimeParts parts = SplitTime(duration);
  return parts.seconds + parts.milliseconds * 0.001;
}

constexpr double kHalfKmhToMs = 0.1388888888888889;  // 0.5 / 3.6

}  // namespace

PerformanceTest ReadPerformanceTest(const PerformanceControls& c) {
  PerformanceTest test;
  if (c.zeroTo100.Checked()) {
    test.speedTest = true;
  } else if (c.fromTo.Checked()) {
    test.startKmh = EditAsWhole(c.fromSpeed);
    test.endKmh = EditAsWhole(c.toSpeed);
    test.speedTest = true;
  } else if (c.metres400.Checked()) {
    test.distanceM = 400;
  } else if (c.flying.Checked()) {
    test.startKmh = EditAsWhole(c.flyingSpeed);
    test.distanceM = EditAsWhole(c.flyingDistance);
  }
  return test;
}

std::string PerformanceTimeText(DateTime elapsed) {
  const TimeParts parts = SplitTime(elapsed);
  char millis[8];
  std::snprintf(millis, sizeof millis, "%03d", parts.milliseconds);
  return std::to_string(parts.minutes * 60 + parts.seconds) + "," + millis + "s";
}

PerformanceTiming::PerformanceTiming(const PerformanceControls& controls,
                                     const link::SharedState& state, const form::Clock& clock,
                                     form::Beeper& beeper)
    : controls_(controls), state_(state), clock_(clock), beeper_(beeper) {}

void PerformanceTiming::Sample(int v) {
  const PerformanceTest test = ReadPerformanceTest(controls_);
  const DateTime now = clock_.Now();
  const int last = state_.lastSpeed;
  if (!running_) {
    distance_ = 0;
    // A moving car seen for the first time cannot start a test.
    if (last == -1 && v != 0)
      v = -1;
    if (last < test.startKmh && v >= test.startKmh) {
      tStart_ = now;
      tPrev_ = now;
      running_ = true;
      if (controls_.beep.Checked())
        beeper_.Beep();
    }
    if (v < test.startKmh)
      tBefore_ = now;
    return;
  }
  if (test.speedTest) {
    if (v >= test.endKmh) {
      tEnd_ = now;
      if (v == test.endKmh)
        tPrev_ = tEnd_;
      Finish((tEnd_ + tPrev_) * 0.5 - (tStart_ + tBefore_) * 0.5, test.endKmh);
      return;
    }
  } else {
    const double d = ShortSeconds(now - tPrev_);
    distance_ = static_cast<float>(distance_ + d * (last + v) * kHalfKmhToMs);
    if (distance_ >= test.distanceM) {
      tEnd_ = now;
      Finish((tEnd_ + tPrev_) * 0.5 - (tStart_ + tBefore_) * 0.5, (last + v) / 2);
      return;
    }
  }
  tPrev_ = now;
}

void PerformanceTiming::Finish(DateTime elapsed, int passingKmh) {
  running_ = false;
  controls_.speed.SetCaption(std::to_string(passingKmh) + "km/h");
  controls_.time.SetCaption(PerformanceTimeText(elapsed));
  if (controls_.beep.Checked())
    beeper_.Beep();
  if (onFinished)
    onFinished();
}

AccelerationReadout::AccelerationReadout(const PerformanceControls& controls,
                                         const form::Timer& timer, const link::SharedState& state)
    : controls_(controls), timer_(timer), state_(state) {}

void AccelerationReadout::Tick() {
  const float speed = state_.values[9];
  if (lastSpeed_ != -1) {
    const auto a =
        static_cast<float>((speed - lastSpeed_) / (timer_.Interval() * 0.001) * 0.2777777777777778);
    controls_.acceleration.SetCaption(FormatGeneral(a) + "m/s²");
    if (a > max_) {
      max_ = a;
      controls_.maxAcceleration.SetCaption(FormatGeneral(a) + "m/s²");
    }
  }
  lastSpeed_ = static_cast<int>(std::trunc(speed));
}

void AccelerationReadout::ResetMax(link::SharedState& state) {
  max_ = 0;
  state.lastSpeed = -1;
  controls_.maxAcceleration.SetCaption("0m/s²");
}

}  // namespace kelvra::diagnostics
