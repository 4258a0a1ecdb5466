#pragma once

#include <functional>
#include <string>

#include "common/date_time.h"
#include "diagnostics/diagnostics_controls.h"
#include "form/services.h"
#include "form/timer.h"
#include "link/shared_state.h"

namespace kelvra::diagnostics {

// The checked test: start speed s, end speed e (speed tests) or distance D (distance tests).
struct PerformanceTest {
  int startKmh = 1;
  int endKmh = 100;
  int distanceM = 1000;
  bool speedTest = false;
};

// Reads the radio buttons and edits of the group (edits truncated toward zero); throws
// ConversionError for an edit that is not a number.
PerformanceTest ReadPerformanceTest(const PerformanceControls& controls);

// A duration as "7,045s": minutes × 60 + seconds, a comma, three digits of milliseconds.
std::string PerformanceTimeText(DateTime elapsed);

// The group "Performances": each vehicle-speed answer of the mode "perfs" is one sample; a test
// starts halfway between the last sample below its start speed and the first at or above it, and
// ends halfway between the last two samples (or at the very sample that hits the end speed).
class PerformanceTiming {
 public:
  PerformanceTiming(const PerformanceControls& controls, const link::SharedState& state,
                    const form::Clock& clock, form::Beeper& beeper);

  // One speed sample in km/h; state.lastSpeed is still the previous one. Throws ConversionError
  // for a setting that is not a number.
  void Sample(int speedKmh);
  // Stopping the mode during a test abandons it.
  void Abandon() { running_ = false; }

  // Called when a test ends: stops the mode.
  std::function<void()> onFinished;

  bool Running() const { return running_; }
  float Distance() const { return distance_; }
  DateTime Before() const { return tBefore_; }
  DateTime Start() const { return tStart_; }
  DateTime Previous() const { return tPrev_; }
  DateTime End() const { return tEnd_; }

 private:
  void Finish(DateTime elapsed, int passingKmh);

  const PerformanceControls& controls_;
  const link::SharedState& state_;
  const form::Clock& clock_;
  form::Beeper& beeper_;
  bool running_ = false;
  float distance_ = 0;
  DateTime tBefore_ = 0;
  DateTime tStart_ = 0;
  DateTime tPrev_ = 0;
  DateTime tEnd_ = 0;
};

// "Accélération :" and "Maximum :": every tick of accTimer differentiates the latest decoded
// vehicle speed.
class AccelerationReadout {
 public:
  AccelerationReadout(const PerformanceControls& controls, const form::Timer& timer,
                      const link::SharedState& state);

  void Tick();
  // "Remise à 0".
  void ResetMax(link::SharedState& state);
  // The previous sample is forgotten when the polling of the speed starts or stops.
  void ForgetSample() { lastSpeed_ = -1; }
  float Max() const { return max_; }

 private:
  const PerformanceControls& controls_;
  const form::Timer& timer_;
  const link::SharedState& state_;
  int lastSpeed_ = -1;
  float max_ = 0;
};

}  // namespace kelvra::diagnostics
