#include "recorder_rig.h"

#include <cstdio>

namespace kelvra::testing {

RecorderRig::RecorderRig() {
  ConnectElmOnline();
  stateTrace.Clear();
  dataTrace.Clear();
  port.ClearWrites();
}

void RecorderRig::AnswerRpm(int rpm) {
  const unsigned ab = static_cast<unsigned>(rpm) * 4;
  char text[32];
  std::snprintf(text, sizeof text, "41 0C %02X %02X\r\r>", (ab >> 8) & 0xFF, ab & 0xFF);
  env.services.Dispatch([&] { Answer(text); });
}

void RecorderRig::AnswerRpmAfter(double ms, int rpm) {
  env.clock.Advance(ms);
  AnswerRpm(rpm);
}

}  // namespace kelvra::testing
