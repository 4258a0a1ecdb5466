#pragma once

#include "acquisition/recorder_controls.h"
#include "acquisition/run_buffer.h"
#include "common/date_time.h"
#include "form/services.h"
#include "link/answer_sinks.h"
#include "link/link_engine.h"

namespace kelvra::acquisition {

// The seconds of a sample from the elapsed time since the start threshold (a date-time
// difference), to the millisecond. Hours count too, so the times of a run longer than an hour keep
// rising instead of starting again from 0.
float SampleTime(DateTime elapsed);

// The engine-speed view and the run recorder: "Visualiser régime", "Lancer acquisition",
// "Stopper", and every engine speed the answer handling obtains while the view runs (gauge, trace,
// start and stop thresholds, live plot, storage in the run buffer).
class RunRecorder : public link::EngineSpeedSink {
 public:
  RunRecorder(link::LinkEngine& engine, RecorderControls controls, const form::Clock& clock);
  RunRecorder(const RunRecorder&) = delete;
  RunRecorder& operator=(const RunRecorder&) = delete;

  void StartSpeedView();     // btRrpm
  void LaunchAcquisition();  // btWrpm
  void StopAcquisition();    // btSrpm
  void OnEngineSpeed(int rpm) override;
  void DrawRunPlot();

  const RunBuffer& Buffer() const { return buffer_; }
  const RecorderControls& Controls() const { return controls_; }

 private:
  void ShowOnGauge(int rpm);
  void Store(int rpm);

  link::LinkEngine& engine_;
  link::SharedState& state_;
  RecorderControls controls_;
  const form::Clock& clock_;
  RunBuffer buffer_;
};

}  // namespace kelvra::acquisition
