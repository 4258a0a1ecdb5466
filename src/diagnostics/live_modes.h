#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostic_display.h"
#include "diagnostics/diagnostics_controls.h"
#include "diagnostics/live_chart_feed.h"
#include "diagnostics/performance_timing.h"
#include "form/services.h"
#include "link/link_engine.h"
#include "power/curve_set.h"

namespace kelvra::diagnostics {

// The live modes "powa" (torque and power), "conso" (consumption) and "perfs" (performance
// timing), one at a time: starting one selects its rows, locks the row list and the other mode
// buttons and switches the visualisation on. Also the barometric reading and the live chart.
class LiveModes {
 public:
  LiveModes(link::LinkEngine& engine, DiagnosticDisplay& display, PerformanceTiming& timing,
            const DisplayControls& display_controls, const LiveModeControls& controls,
            const PerformanceControls& performance, const VehicleRtControls& vehicle,
            form::Services& services);

  void SetLiveModeLock(bool on, form::Button& caller);
  void ToggleLivePower();    // Button15
  void ToggleConsumption();  // Button16
  void TogglePerformance();  // Button18

  // Inside the answer handling, while the visualisation is on.
  void LivePowerStep();
  void ConsumptionStep();
  void BoostAlert();
  void PerformanceSample(int speedKmh);

  void RequestBarometer();  // Button33 "Auto"
  void ShowLiveChart();     // Button31 "Afficher"
  void ResetLiveChart();    // Button32 "RAZ"

  // The power tab's curves: live power evaluates curve 0 once one exists.
  void SetCurves(const power::CurveSet* curves) { curves_ = curves; }
  // TForm3's feed, once the window exists.
  void SetChart(LiveChartFeed* chart) { chart_ = chart; }
  // Makes the answer handling call LivePowerStep once the power tab has computed a curve.
  void FollowCurves();

  // Shows TForm3.
  std::function<void()> showChartWindow;
  // A setting that is not a number: the estimate is skipped, the polling goes on, the user is
  // told.
  std::function<void(const std::string& message)> onBadInput;

 private:
  void ToggleMode(std::string_view mode, form::Button& button, std::string_view idleCaption,
                  const std::vector<int>& rows);
  double Real(const form::Edit& edit) const;

  link::LinkEngine& engine_;
  link::SharedState& state_;
  DiagnosticDisplay& display_;
  PerformanceTiming& timing_;
  const DisplayControls& displayControls_;
  const LiveModeControls& controls_;
  const PerformanceControls& performance_;
  const VehicleRtControls& vehicle_;
  form::Services& services_;
  const power::CurveSet* curves_ = nullptr;
  LiveChartFeed* chart_ = nullptr;
};

}  // namespace kelvra::diagnostics
