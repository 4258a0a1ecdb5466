#pragma once

#include <functional>
#include <string>

#include "common/date_time.h"
#include "diagnostics/diagnostics_controls.h"
#include "form/services.h"
#include "link/answer_sinks.h"

namespace kelvra::diagnostics {

// Seconds of an elapsed time as the live chart's x: minutes × 60 + seconds + milliseconds; the
// hours are dropped, so the chart folds back after each full hour.
double LiveChartSeconds(DateTime elapsed);

// Feeds TForm3 "Graphe alternatif": engine speed (tr/mn) to "RPM", the manifold pressure as the
// boost 10 × M − edGPatm in mbar to "mBar", both against the time since "Afficher" or "RAZ".
class LiveChartFeed : public link::LiveChartSink {
 public:
  LiveChartFeed(LiveChartControls chart, form::Edit& atmosphere, const form::Clock& clock);

  // series 0: manifold pressure in kPa; series 1: engine speed in tr/mn. An atmospheric pressure
  // that is not a whole number adds no point and is reported through onBadInput.
  void AddPoint(float value, int series) override;
  void Restart();  // "Afficher": the time starts again from now
  void Reset();    // "RAZ": both series emptied, the time from now

  std::function<void(const std::string& message)> onBadInput;
  DateTime StartTime() const { return start_; }

 private:
  LiveChartControls chart_;
  form::Edit& atmosphere_;
  const form::Clock& clock_;
  DateTime start_ = 0;
};

}  // namespace kelvra::diagnostics
