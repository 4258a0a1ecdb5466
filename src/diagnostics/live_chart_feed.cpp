#include "diagnostics/live_chart_feed.h"

#include <cstdint>

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::diagnostics {

double LiveChartSeconds(DateTime elapsed) {
  const TimeParts parts = SplitTime(elapsed);
  return parts.minutes * 60 + parts.seconds + parts.milliseconds * 0.001;
}

LiveChartFeed::LiveChartFeed(LiveChartControls chart, form::Edit& atmosphere,
                             const form::Clock& clock)
    : chart_(chart), atmosphere_(atmosphere), clock_(clock) {}

void LiveChartFeed::AddPoint(float value, int series) {
  const double x = LiveChartSeconds(clock_.Now() - start_);
  std::int32_t atm = 0;
  if (!TryParseInteger(atmosphere_.Text(), atm)) {
    if (onBadInput)
      onBadInput("'" + atmosphere_.Text() + "' is not a valid integer value");
    return;
  }
  if (series == 0) {
    chart_.boost.Add(x, 10.0 * value - atm);
  } else {
    chart_.rpm.Add(x, value);
  }
}

void LiveChartFeed::Restart() {
  start_ = clock_.Now();
}

void LiveChartFeed::Reset() {
  chart_.rpm.Clear();
  chart_.boost.Clear();
  start_ = clock_.Now();
}

}  // namespace kelvra::diagnostics
