#include "power/raw_data_view.h"

#include <algorithm>
#include <vector>

namespace kelvra::power {

void ClearRawData(form::Chart& chart) {
  if (chart.SeriesCount() < 2)
    return;
  chart.Series(0).Clear();
  chart.Series(1).Clear();
}

void ShowRawData(form::Chart& chart, const PowerSampleTable& samples) {
  if (chart.SeriesCount() < 2)
    return;
  ClearRawData(chart);
  // The first and the last line of a run give no sample.
  std::vector<const PowerSample*> order;
  for (std::size_t j = 1; j + 1 < samples.size(); ++j)
    order.push_back(&samples[j]);
  std::stable_sort(order.begin(), order.end(),
                   [](const PowerSample* a, const PowerSample* b) { return a->rpm < b->rpm; });
  for (const PowerSample* sample : order) {
    chart.Series(0).Add(sample->rpm, sample->power10 * 0.1);
    chart.Series(1).Add(sample->rpm, sample->torque10 * 0.1);
  }
}

}  // namespace kelvra::power
