#pragma once

#include <string>

#include "acquisition/recorder_station.h"
#include "support/link_rig.h"

namespace kelvra::testing {

// The recorder on the link station with an ELM327 online, fed engine-speed answers on the manual
// clock.
class RecorderRig : public LinkRig {
 public:
  RecorderRig();

  // One engine-speed answer, handled as the serial event would be: an error is shown, not thrown.
  void AnswerRpm(int rpm);
  // The same after the clock moved on by ms.
  void AnswerRpmAfter(double ms, int rpm);

  acquisition::RecorderStation rec{station};
  acquisition::RunRecorder& recorder = rec.recorder;
  const acquisition::RunBuffer& buffer = rec.recorder.Buffer();
};

}  // namespace kelvra::testing
