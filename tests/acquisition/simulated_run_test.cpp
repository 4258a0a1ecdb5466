#include <gtest/gtest.h>

#include "app/main_window.h"
#include "form/manual_services.h"
#include "support/fake_serial_port.h"

namespace kelvra::app {
namespace {

// The main window's debug sequence drives the real recorder: the 25 ms steps feed rising engine
// speeds until the fortieth stops the acquisition before its own value.
TEST(SimulatedRun, RecordsThirtyNineSamplesThenStops) {
  form::ManualServices env;
  testing::FakeSerialPort port;
  testing::FakeSerialPort altPort;
  MainWindow window(env.services, port, altPort);
  window.state.elmMode = true;  // the simulated answers are ELM text
  window.ShowDebugControls();
  window.simulatedRun.UserClick();
  EXPECT_TRUE(window.state.armed);
  env.clock.Advance(40 * 25);

  const acquisition::RunBuffer& buffer = window.recorder.Buffer();
  ASSERT_EQ(buffer.count, 39u);
  EXPECT_EQ(buffer.samples[0].rpm, 1024.0f);
  EXPECT_EQ(buffer.samples[0].time, 0.0f);
  EXPECT_EQ(buffer.samples[1].rpm, 829.0f);
  EXPECT_FLOAT_EQ(buffer.samples[38].time, 38 * 0.025f);
  EXPECT_FALSE(window.state.recording);
  EXPECT_FALSE(window.state.speedViewActive);
  EXPECT_FALSE(window.simulationTimer.Running());
  EXPECT_FALSE(window.acquisition.recorder.plot.GetCanvas().Operations().empty());
  EXPECT_TRUE(env.dialogs.errors.empty());
}

}  // namespace
}  // namespace kelvra::app
