#include "diagnostics/live_diagnostics.h"

#include "common/errors.h"

namespace kelvra::diagnostics {

LiveDiagnostics::LiveDiagnostics(link::LinkEngine& engine, link::AnswerHandler& handler,
                                 DisplayControls display_, LiveModeControls modes_,
                                 PerformanceControls performance, VehicleRtControls vehicle,
                                 LiveChartControls chart_, form::Services& services)
    : displayControls(display_),
      modeControls(modes_),
      performanceControls(performance),
      vehicleControls(vehicle),
      display(engine, displayControls, performanceControls.accTimer, services),
      timing(performanceControls, engine.State(), services.clock, services.beeper),
      acceleration(performanceControls, engine.State()),
      chart(chart_, modeControls.atmosphere, services.clock),
      modes(engine, display, timing, chart, displayControls, modeControls, performanceControls,
            vehicleControls, services),
      handler_(handler),
      state_(engine.State()) {
  Wire();
  handler_.SetDiagnosticsSink(this);
  handler_.SetLiveModeSink(this);
  handler_.SetLiveChartSink(&chart);
}

LiveDiagnostics::~LiveDiagnostics() {
  handler_.SetDiagnosticsSink(nullptr);
  handler_.SetLiveModeSink(nullptr);
  handler_.SetLiveChartSink(nullptr);
}

void LiveDiagnostics::Wire() {
  const DisplayControls& d = displayControls;
  d.pidList.onClickCheck = [this](form::Control&) { display.RowSelectionChanged(); };
  d.visualise.onClick = [this](form::Control&) { display.ToggleVisualisation(); };
  d.logBox.onClick = [this](form::Control&) {
    if (displayControls.logBox.Checked()) {
      display.OpenDiagLog();
    } else {
      display.CloseDiagLog();
    }
  };
  display.forgetSpeedSamples = [this] { acceleration.ForgetSample(); };
  display.onLogError = [this](const std::string& message) { NoteProblem(message); };

  const LiveModeControls& m = modeControls;
  m.power.onClick = [this](form::Control&) {
    lastProblem_.clear();
    modes.ToggleLivePower();
  };
  m.consumption.onClick = [this](form::Control&) {
    lastProblem_.clear();
    modes.ToggleConsumption();
  };
  m.barometer.onClick = [this](form::Control&) { modes.RequestBarometer(); };
  m.showChart.onClick = [this](form::Control&) {
    lastProblem_.clear();
    modes.ShowLiveChart();
  };
  m.resetChart.onClick = [this](form::Control&) { modes.ResetLiveChart(); };
  modes.onBadInput = [this](const std::string& message) { NoteProblem(message); };
  chart.onBadInput = [this](const std::string& message) { NoteProblem(message); };

  const PerformanceControls& p = performanceControls;
  p.toggle.onClick = [this](form::Control&) {
    lastProblem_.clear();
    modes.TogglePerformance();
  };
  p.resetMax.onClick = [this](form::Control&) { acceleration.ResetMax(state_); };
  p.accTimer.onTimer = [this](form::Control&) { acceleration.Tick(); };
  timing.onFinished = [this] { modes.TogglePerformance(); };
}

void LiveDiagnostics::NoteProblem(const std::string& message) {
  // Told once, not at every answer, until a mode or the chart is started again.
  if (message == lastProblem_ || problem_)
    return;
  problem_ = message;
}

void LiveDiagnostics::DiagnosticStep() {
  modes.FollowCurves();
  display.DiagnosticStep();
  if (problem_) {
    lastProblem_ = *problem_;
    const std::string message = *problem_;
    problem_.reset();
    throw Error(message);
  }
}

}  // namespace kelvra::diagnostics
