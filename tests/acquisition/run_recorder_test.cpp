#include <gtest/gtest.h>

#include <variant>

#include "common/date_time.h"
#include "recorder_rig.h"

namespace kelvra::acquisition {
namespace {

using testing::RecorderRig;

bool DrewTheRun(const form::Image& image) {
  for (const form::DrawOp& op : image.GetCanvas().Operations()) {
    if (const auto* pen = std::get_if<form::draw::SetPen>(&op); pen && pen->pen.color == form::kRed)
      return true;
  }
  return false;
}

class RunRecorderTest : public ::testing::Test {
 protected:
  // The state trace without the link's line per classified answer.
  std::vector<std::string> RecorderLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : rig.StateLines()) {
      if (line.find(" : ANSW") == std::string::npos)
        lines.push_back(line);
    }
    return lines;
  }

  RecorderRig rig;
  RecorderPanel& panel = rig.rec.panel;
  link::SharedState& state = rig.state;
};

TEST_F(RunRecorderTest, RecordsBetweenTheStartAndStopThresholds) {
  panel.startRpm.SetText("3000");
  panel.stopRpm.SetText("6000");
  rig.station.btWrpm.UserClick();
  EXPECT_TRUE(state.armed);
  EXPECT_TRUE(state.speedViewActive);
  EXPECT_FALSE(rig.station.btRrpm.Enabled());
  EXPECT_EQ(rig.port.writes.size(), 1u);  // "010c", as a lone CR after the same request

  rig.AnswerRpmAfter(100, 2500);  // shown only
  EXPECT_EQ(panel.rpmText.Caption(), "2500tr/mn");
  EXPECT_EQ(rig.buffer.count, 0u);
  EXPECT_TRUE(state.armed);
  rig.AnswerRpmAfter(100, 3100);  // starts, stored at 0
  EXPECT_TRUE(state.recording);
  EXPECT_FALSE(state.armed);
  rig.AnswerRpmAfter(100, 4000);
  rig.AnswerRpmAfter(100, 6100);  // stops, not stored

  ASSERT_EQ(rig.buffer.count, 2u);
  EXPECT_EQ(rig.buffer.samples[0].time, 0.0f);
  EXPECT_EQ(rig.buffer.samples[0].rpm, 3100.0f);
  EXPECT_EQ(rig.buffer.samples[1].time, 0.1f);
  EXPECT_EQ(rig.buffer.samples[1].rpm, 4000.0f);
  EXPECT_FALSE(state.recording);
  EXPECT_FALSE(state.armed);
  EXPECT_FALSE(state.speedViewActive);
  EXPECT_TRUE(rig.station.btRrpm.Enabled());
  EXPECT_TRUE(DrewTheRun(panel.plot));
  EXPECT_EQ(RecorderLines(),
            (std::vector<std::string>{"Acquisition en attente", "Visualisation régime",
                                      "Acquisition ...", "Arrêt d'acquisition"}));
  EXPECT_TRUE(rig.DataHas("<<6100"));
  // The answer handling still asks for the next value after the stop.
  EXPECT_EQ(rig.port.writes.size(), 5u);
}

TEST_F(RunRecorderTest, StopThresholdZeroRecordsUntilStopped) {
  rig.station.btWrpm.UserClick();
  for (int rpm : {1000, 5000, 9000, 12000})
    rig.AnswerRpmAfter(50, rpm);
  EXPECT_TRUE(state.recording);
  EXPECT_EQ(rig.buffer.count, 4u);
  panel.stop.UserClick();
  EXPECT_FALSE(state.recording);
  EXPECT_FALSE(state.speedViewActive);
  EXPECT_FALSE(rig.toTimer.Running());
  EXPECT_TRUE(DrewTheRun(panel.plot));
  rig.AnswerRpmAfter(50, 3000);  // the view is off: nothing reaches the recorder
  EXPECT_EQ(rig.buffer.count, 4u);
  EXPECT_EQ(panel.rpmText.Caption(), "12000tr/mn");
}

TEST_F(RunRecorderTest, FullBufferStopsAfterTheLastSample) {
  panel.livePlot.SetChecked(false);  // a redraw per sample would only slow the test
  rig.station.btWrpm.UserClick();
  for (std::size_t i = 0; i < RunBuffer::kCapacity - 1; ++i)
    rig.AnswerRpmAfter(10, 2000 + static_cast<int>(i % 1000));
  EXPECT_TRUE(state.recording);
  EXPECT_FALSE(rig.StateHas("Tampon d'acquisition plein"));
  rig.AnswerRpmAfter(10, 4321);
  EXPECT_EQ(rig.buffer.count, RunBuffer::kCapacity);
  EXPECT_EQ(rig.buffer.samples[RunBuffer::kCapacity - 1].rpm, 4321.0f);
  EXPECT_FALSE(state.recording);
  EXPECT_FALSE(state.speedViewActive);
  EXPECT_EQ(RecorderLines().back(), "Tampon d'acquisition plein");
  rig.AnswerRpmAfter(10, 5000);  // the view is off: the buffer stays as it is
  EXPECT_EQ(rig.buffer.count, RunBuffer::kCapacity);
}

TEST_F(RunRecorderTest, GaugeOnlyGrows) {
  rig.station.btRrpm.UserClick();
  rig.AnswerRpm(7500);
  EXPECT_EQ(panel.gauge.Maximum(), 800);
  EXPECT_EQ(panel.gaugeTop.Caption(), "8000");
  EXPECT_EQ(panel.gauge.Position(), 750);
  rig.AnswerRpm(3009);
  EXPECT_EQ(panel.gauge.Maximum(), 800);
  EXPECT_EQ(panel.gauge.Position(), 300);
  rig.AnswerRpm(8000);  // at the top, not above it
  EXPECT_EQ(panel.gauge.Maximum(), 800);
}

TEST_F(RunRecorderTest, ThresholdThatIsNotANumberStopsThePolling) {
  panel.startRpm.SetText("3 000");
  rig.station.btWrpm.UserClick();
  rig.port.ClearWrites();
  rig.AnswerRpm(4000);
  ASSERT_EQ(rig.env.dialogs.errors.size(), 1u);
  EXPECT_EQ(rig.env.dialogs.errors[0], "'3 000' is not a valid floating point value");
  EXPECT_EQ(rig.buffer.count, 0u);
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_EQ(panel.rpmText.Caption(), "4000tr/mn");  // what came before the error stays
  EXPECT_TRUE(state.armed);
}

TEST_F(RunRecorderTest, LaunchWhileViewingSendsNoNewRequest) {
  rig.station.btRrpm.UserClick();
  rig.AnswerRpm(1500);
  rig.port.ClearWrites();
  rig.station.btWrpm.UserClick();
  EXPECT_TRUE(rig.port.writes.empty());
  EXPECT_TRUE(state.armed);
}

TEST_F(RunRecorderTest, EngineSpeedFromTheVehicleSpeedInTheChosenGear) {
  rig.rec.gear.SetItemIndex(3);
  rig.rec.gearSpeeds[3]->SetText("25");
  rig.useSpeed.SetChecked(true);
  rig.station.btWrpm.UserClick();
  EXPECT_EQ(state.speedPer1000, 25.0f);
  rig.env.services.Dispatch([&] { rig.Answer("41 0D 32\r\r>"); });  // 50 km/h
  ASSERT_EQ(rig.buffer.count, 1u);
  EXPECT_EQ(rig.buffer.samples[0].rpm, 2000.0f);
  EXPECT_EQ(rig.port.LastWrite(), "010d\r");
}

// Times keep rising past the hour instead of starting again from 0.
TEST(SampleTime, CountsHoursAndMilliseconds) {
  EXPECT_EQ(SampleTime(EncodeTime(0, 0, 12, 345)), 12.345f);
  EXPECT_EQ(SampleTime(EncodeTime(0, 59, 59, 999)), 3599.999f);
  EXPECT_EQ(SampleTime(EncodeTime(1, 0, 5, 0)), 3605.0f);
  EXPECT_EQ(SampleTime(1 + EncodeTime(0, 0, 1, 0)), 86401.0f);
}

TEST_F(RunRecorderTest, RunLongerThanAnHourKeepsItsTimesRising) {
  rig.station.btWrpm.UserClick();
  rig.AnswerRpm(2000);
  // Set rather than advanced: an hour of answer timeouts would restart the link.
  rig.env.clock.SetNow(rig.env.clock.Now() + EncodeTime(1, 0, 5, 250));
  rig.AnswerRpm(2100);
  ASSERT_EQ(rig.buffer.count, 2u);
  EXPECT_EQ(rig.buffer.samples[1].time, 3605.25f);
}

}  // namespace
}  // namespace kelvra::acquisition
