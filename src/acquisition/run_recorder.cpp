#include "acquisition/run_recorder.h"

#include <cmath>

#include "acquisition/run_plot.h"
#include "common/number_text.h"

namespace kelvra::acquisition {

float SampleTime(DateTime elapsed) {
  // Rounded to the millisecond as a time of day would be; a negative difference (a clock set back)
  // counts by its size, as a split would.
  const long long totalMs = std::llround(std::fabs(elapsed) * kMillisecondsPerDay);
  const long long seconds = totalMs / 1000;
  const long long milliseconds = totalMs % 1000;
  return static_cast<float>(static_cast<double>(seconds) + milliseconds * 0.001);
}

RunRecorder::RunRecorder(link::LinkEngine& engine, RecorderControls controls,
                         const form::Clock& clock)
    : engine_(engine), state_(engine.State()), controls_(controls), clock_(clock) {
  controls_.viewRpm.onClick = [this](form::Control&) { StartSpeedView(); };
  controls_.acquire.onClick = [this](form::Control&) { LaunchAcquisition(); };
  controls_.stop.onClick = [this](form::Control&) { StopAcquisition(); };
}

void RunRecorder::StartSpeedView() {
  std::int32_t gear = 0;
  if (TryParseInteger(controls_.gear.Text(), gear) && gear >= 1 && gear <= 6) {
    form::Edit* speed = controls_.gearSpeeds[static_cast<std::size_t>(gear - 1)];
    state_.speedPer1000 = static_cast<float>(ParseReal(speed->Text()));
  }
  // What will be drawn no longer matches the selection.
  controls_.exportButton.SetEnabled(false);
  controls_.showCurves.SetEnabled(false);
  controls_.selectionFrame.SetVisible(false);
  controls_.selectionText.SetVisible(false);
  state_.speedViewActive = true;
  state_.linkState = 1;
  engine_.Log().State("Visualisation régime");
  // The first request is the engine speed even when it is to be derived from the vehicle speed:
  // the answer handling chooses the later ones.
  if (state_.online)
    engine_.SendCommand("010c\r");
  engine_.ExpectAnswer();
}

void RunRecorder::LaunchAcquisition() {
  engine_.Log().State("Acquisition en attente");
  buffer_.count = 0;
  state_.armed = true;
  if (!state_.speedViewActive)
    StartSpeedView();
  controls_.viewRpm.SetEnabled(false);
}

void RunRecorder::StopAcquisition() {
  state_.armed = false;
  state_.speedViewActive = false;
  if (state_.recording)
    DrawRunPlot();
  controls_.viewRpm.SetEnabled(true);
  state_.recording = false;
  engine_.Log().State("Arrêt d'acquisition");
  engine_.StopAnswerTimeout();
}

void RunRecorder::ShowOnGauge(int rpm) {
  form::ProgressBar& gauge = controls_.gauge;
  // The gauge only grows, to the next whole 1000 tr/mn above the value.
  if (gauge.Maximum() * 10 < rpm) {
    const int maximum = (rpm / 1000) * 100 + 100;
    gauge.SetMaximum(maximum);
    controls_.gaugeTop.SetCaption(FormatInteger(maximum * 10LL));
  }
  gauge.SetPosition(rpm / 10);
  controls_.rpmText.SetCaption(FormatInteger(rpm) + "tr/mn");
}

void RunRecorder::OnEngineSpeed(int rpm) {
  ShowOnGauge(rpm);
  engine_.Log().Received(FormatInteger(rpm));

  // Both thresholds are read at every value; one that does not convert ends the handling here.
  const double stopRpm = ParseReal(controls_.stopRpm.Text());
  if (state_.recording && stopRpm < rpm && stopRpm != 0) {
    state_.recording = false;
    StopAcquisition();
    DrawRunPlot();
  }
  const double startRpm = ParseReal(controls_.startRpm.Text());
  if (state_.armed && startRpm < rpm) {
    state_.recording = true;
    state_.armed = false;
    engine_.Log().State("Acquisition ...");
    state_.runStart = clock_.Now();
  }
  if (state_.recording && controls_.livePlot.Checked())
    DrawRunPlot();
  if (state_.recording)
    Store(rpm);
}

void RunRecorder::Store(int rpm) {
  if (buffer_.Full())
    return;
  const DateTime elapsed =
      controls_.clockResync.Checked() ? state_.receiveElapsed : clock_.Now() - state_.runStart;
  buffer_.samples[buffer_.count] = RunSample{SampleTime(elapsed), static_cast<float>(rpm)};
  ++buffer_.count;
  if (buffer_.Full()) {
    StopAcquisition();
    engine_.Log().State("Tampon d'acquisition plein");
  }
}

void RunRecorder::DrawRunPlot() {
  acquisition::DrawRunPlot(controls_.plot, buffer_, controls_.gauge.Maximum());
}

}  // namespace kelvra::acquisition
