#include "diagnostics/live_diagnostics.h"

#include "common/errors.h"

namespace kelvra::diagnostics {

LiveDiagnostics::LiveDiagnostics(link::LinkEngine& engine, link::AnswerHandler& handler,
                                 DisplayControls display_, LiveModeControls modes_,
                                 PerformanceControls performance, VehicleRtControls vehicle,
                                 form::Timer& accTimer_, form::Services& services)
    : displayControls(display_),
      modeControls(modes_),
      performanceControls(performance),
      vehicleControls(vehicle),
      accTimer(accTimer_),
      display(engine, displayControls, accTimer, services),
      timing(performanceControls, engine.State(), services.clock, services.beeper),
      acceleration(performanceControls, accTimer, engine.State()),
      modes(engine, display, timing, displayControls, modeControls, performanceControls,
            vehicleControls, services),
      handler_(handler),
      state_(engine.State()),
      services_(services) {
  Wire();
  handler_.SetDiagnosticsSink(this);
  handler_.SetLiveModeSink(this);
}

LiveDiagnostics::~LiveDiagnostics() {
  handler_.SetDiagnosticsSink(nullptr);
  handler_.SetLiveModeSink(nullptr);
  DetachChart();
}

void LiveDiagnostics::AttachChart(LiveChartControls controls, std::function<void()> show) {
  DetachChart();
  chart.emplace(controls, modeControls.atmosphere, services_.clock);
  chart->onBadInput = [this](const std::string& message) { NoteProblem(message); };
  modes.SetChart(&*chart);
  modes.showChartWindow = std::move(show);
  handler_.SetLiveChartSink(&*chart);
}

void LiveDiagnostics::DetachChart() {
  if (!chart)
    return;
  handler_.SetLiveChartSink(nullptr);
  modes.SetChart(nullptr);
  modes.showChartWindow = nullptr;
  chart.reset();
}

void LiveDiagnostics::Wire() {
  const DisplayControls& d = displayControls;
  d.pidList.onClickCheck = [this](form::Control&) { display.RowSelectionChanged(); };
  d.visualise.onClick = [this](form::Control&) { display.ToggleVisualisation(); };
  d.logBox.onClick = [this](form::Control&) {
    // A log opened at a given path checks the box itself: nothing more to open then.
    if (displayControls.logBox.Checked() && !display.Log().IsOpen()) {
      display.OpenDiagLog();
    } else if (!displayControls.logBox.Checked()) {
      display.CloseDiagLog();
    }
  };
  display.forgetSpeedSamples = [this] { acceleration.ForgetSample(); };
  display.onLogError = [this](const std::string& message) { NoteProblem(message); };

  // Starting a mode or the chart again reports a bad setting again.
  auto fresh = [this](void (LiveModes::*action)()) {
    return [this, action](form::Control&) {
      lastProblem_.clear();
      (modes.*action)();
    };
  };
  const LiveModeControls& m = modeControls;
  m.power.onClick = fresh(&LiveModes::ToggleLivePower);
  m.consumption.onClick = fresh(&LiveModes::ToggleConsumption);
  m.showChart.onClick = fresh(&LiveModes::ShowLiveChart);
  m.barometer.onClick = [this](form::Control&) { modes.RequestBarometer(); };
  m.resetChart.onClick = [this](form::Control&) { modes.ResetLiveChart(); };
  modes.onBadInput = [this](const std::string& message) { NoteProblem(message); };

  const PerformanceControls& p = performanceControls;
  p.toggle.onClick = fresh(&LiveModes::TogglePerformance);
  p.resetMax.onClick = [this](form::Control&) { acceleration.ResetMax(state_); };
  accTimer.onTimer = [this](form::Control&) { acceleration.Tick(); };
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
