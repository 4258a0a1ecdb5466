#pragma once

#include "form/chart.h"
#include "power/power_sample.h"

namespace kelvra::power {

// "Voir données brutes": the unfitted samples of the latest run on the acceleration diagram's
// chart, power (cv) on its first series and torque (N·m) on its second, in ascending engine speed
// as those series keep their points. A chart with fewer than two series is left alone.
void ClearRawData(form::Chart& chart);
void ShowRawData(form::Chart& chart, const PowerSampleTable& samples);

}  // namespace kelvra::power
