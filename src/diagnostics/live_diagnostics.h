#pragma once

#include <functional>
#include <optional>
#include <string>

#include "diagnostics/diagnostic_display.h"
#include "diagnostics/diagnostics_controls.h"
#include "diagnostics/live_chart_feed.h"
#include "diagnostics/live_modes.h"
#include "diagnostics/performance_timing.h"
#include "form/timer.h"
#include "link/answer_handler.h"

namespace kelvra::diagnostics {

// The live diagnostics as one piece: the display and its log, the live modes, the performance
// timing, the acceleration readout and the live chart feed, wired to their controls and attached
// to the answer handling for as long as they live.
class LiveDiagnostics : public link::DiagnosticsSink, public link::LiveModeSink {
 public:
  LiveDiagnostics(link::LinkEngine& engine, link::AnswerHandler& handler, DisplayControls display,
                  LiveModeControls modes, PerformanceControls performance,
                  VehicleRtControls vehicle, form::Timer& accTimer, form::Services& services);
  ~LiveDiagnostics() override;
  LiveDiagnostics(const LiveDiagnostics&) = delete;
  LiveDiagnostics& operator=(const LiveDiagnostics&) = delete;

  // TForm3's chart, once that window exists; `show` shows the window ("Afficher").
  void AttachChart(LiveChartControls chart, std::function<void()> show);
  void DetachChart();

  // DiagnosticsSink and LiveModeSink: the answer handling's calls.
  void DiagnosticStep() override;
  void LivePowerStep() override { modes.LivePowerStep(); }
  void ConsumptionStep() override { modes.ConsumptionStep(); }
  void BoostAlert() override { modes.BoostAlert(); }
  void PerformanceSample(int speed) override { modes.PerformanceSample(speed); }

  const DisplayControls displayControls;
  const LiveModeControls modeControls;
  const PerformanceControls performanceControls;
  const VehicleRtControls vehicleControls;
  form::Timer& accTimer;

  DiagnosticDisplay display;
  PerformanceTiming timing;
  AccelerationReadout acceleration;
  LiveModes modes;
  std::optional<LiveChartFeed> chart;

 private:
  void Wire();
  // A bad setting met inside the answer handling is kept and raised once the next request is out,
  // so that the user is told through the error display and the polling goes on.
  void NoteProblem(const std::string& message);

  link::AnswerHandler& handler_;
  link::SharedState& state_;
  form::Services& services_;
  std::optional<std::string> problem_;
  std::string lastProblem_;
};

}  // namespace kelvra::diagnostics
