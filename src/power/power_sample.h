#pragma once

#include <vector>

namespace kelvra::power {

// One line of a run and what the computation derives from it; all single precision.
struct PowerSample {
  float time = 0;      // s
  float rpm = 0;       // tr/mn
  float rpmRate = 0;   // tr/mn per s; 0 for the first and the last line
  float power10 = 0;   // 0.1 cv, an integral value
  float torque10 = 0;  // 0.1 N·m, an integral value
};

// Record i comes from line i of the run text. Every line of a run is kept: a recorded run holds
// up to 12000 samples and the fit uses them all.
using PowerSampleTable = std::vector<PowerSample>;

}  // namespace kelvra::power
