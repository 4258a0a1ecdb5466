// The whole answer road of the link: bytes from the port framed, classified and handled with every
// activity on (gear speed capture, engine-speed polling into the run recorder, barometric reading
// or live chart, live diagnostics and their live modes), with answer timeouts in between.
#include <cstdint>
#include <string>

#include "acquisition/recorder_station.h"
#include "common/errors.h"
#include "fuzz_input.h"
#include "support/link_rig.h"

using namespace kelvra;

namespace {

const char* const kLiveModes[] = {"null", "powa", "conso", "perfs"};

void SetActivities(testing::LinkRig& rig, unsigned char option) {
  link::SharedState& state = rig.state;
  state.captureMode = (option & 0x01) != 0;
  state.speedViewActive = (option & 0x02) != 0;
  state.diagDisplayOn = (option & 0x04) != 0;
  state.auxRequest = (option >> 3) % 3;
  state.liveMode = kLiveModes[(option >> 5) & 3];
  state.curveAvailable = (option & 0x80) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  testing::LinkRig rig;
  const unsigned char setup = input.Option();
  try {
    if ((setup & 1) != 0)
      rig.ConnectMobydicOnline();
    else
      rig.ConnectElmOnline();
  } catch (const Error&) {
  }
  rig.useSpeed.SetChecked((setup & 2) != 0);
  rig.shiftAlert.SetChecked((setup & 4) != 0);
  rig.state.speedPer1000 = (setup & 8) != 0 ? 25.0f : 0.0f;
  // The real run recorder takes the engine speeds, armed to record from 2000 tr/mn.
  acquisition::RecorderStation rec(rig.station);
  if ((setup & 16) != 0) {
    rec.panel.startRpm.SetText("2000");
    rec.panel.stopRpm.SetText((setup & 32) != 0 ? "0" : "6000");
    rec.panel.livePlot.SetChecked((setup & 64) != 0);
    try {
      rec.recorder.LaunchAcquisition();
    } catch (const Error&) {
    }
  } else {
    rig.sinks.AttachTo(rig.handler);
  }
  SetActivities(rig, input.Option());

  while (!input.Empty()) {
    const unsigned char step = input.Option();
    try {
      switch (step & 3) {
        case 0:
        case 1:
          rig.port.Feed(input.Batch());
          break;
        case 2:
          rig.port.FeedBytewise(input.Batch());
          break;
        case 3:
          // No answer in time, or the user switching activities between answers.
          if ((step & 4) != 0)
            rig.env.clock.Advance(link::LinkEngine::kInitAnswerTimeoutMs);
          else
            SetActivities(rig, input.Option());
          break;
      }
    } catch (const Error&) {
      // reported to the user at the event's boundary; the program goes on
    }
  }
  return 0;
}
