#include <gtest/gtest.h>

#include "support/link_rig.h"

namespace kelvra::link {
namespace {

class AnswerHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.ConnectElmOnline();
    rig.port.ClearWrites();
  }
  // Engine-speed view on, as "Visualiser régime" leaves it.
  void StartSpeedView() {
    rig.state.speedViewActive = true;
    rig.engine.SendCommand("010c\r");
    rig.engine.ExpectAnswer();
    rig.port.ClearWrites();
  }

  testing::LinkRig rig;
};

TEST_F(AnswerHandlerTest, EngineSpeedPollingFeedsTheRecorderAndAsksAgain) {
  StartSpeedView();
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.sinks.engineSpeeds, (std::vector<int>{750}));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
  EXPECT_TRUE(rig.toTimer.Running());
  EXPECT_EQ(rig.toTimer.Interval(), LinkEngine::kOnlineAnswerTimeoutMs);
}

TEST_F(AnswerHandlerTest, EngineSpeedFromVehicleSpeed) {
  rig.useSpeed.SetChecked(true);
  rig.state.speedPer1000 = 25;
  StartSpeedView();
  rig.Answer("41 0D 32\r\r>");
  EXPECT_EQ(rig.sinks.engineSpeeds, (std::vector<int>{2000}));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"010d\r"}));
  rig.port.ClearWrites();
  rig.Answer("41 0D 00\r\r>");  // standing still: no value, and the polling waits
  EXPECT_EQ(rig.sinks.engineSpeeds.size(), 1u);
  EXPECT_TRUE(rig.port.writes.empty());
}

TEST_F(AnswerHandlerTest, GearWithoutSpeedPer1000IsNoValueAndSaidOnce) {
  rig.useSpeed.SetChecked(true);
  rig.state.speedPer1000 = 0;
  StartSpeedView();
  rig.Answer("41 0D 32\r\r>");
  rig.Answer("41 0D 33\r\r>");
  EXPECT_TRUE(rig.sinks.engineSpeeds.empty());
  EXPECT_TRUE(rig.env.dialogs.errors.empty());
  int said = 0;
  for (const auto& line : rig.StateLines())
    said += line.find("Vitesse pour 1000 tr/mn nulle") == 0;
  EXPECT_EQ(said, 1);
}

TEST_F(AnswerHandlerTest, CanWarningOnlyResendsTheRequest) {
  StartSpeedView();
  rig.state.diagDisplayOn = false;
  rig.Answer("CAN ERROR\r\r>");
  EXPECT_TRUE(rig.sinks.engineSpeeds.empty());
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
}

TEST_F(AnswerHandlerTest, MalformedDataIsTracedAndPollingGoesOn) {
  StartSpeedView();
  rig.Answer("41 0C 0B\r\r>");
  EXPECT_TRUE(rig.env.dialogs.errors.empty());
  EXPECT_TRUE(rig.DataHas("Réponse non attendue : 410c0b"));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
  EXPECT_TRUE(rig.sinks.engineSpeeds.empty());

  rig.state.speedViewActive = false;
  rig.state.diagDisplayOn = true;
  rig.Answer("41 05\r\r>");
  EXPECT_TRUE(rig.env.dialogs.errors.empty());
  EXPECT_EQ(rig.sinks.diagnosticSteps, 1);
}

TEST_F(AnswerHandlerTest, LostAnswerIsAskedAgainWhileOnline) {
  StartSpeedView();
  rig.env.clock.Advance(LinkEngine::kOnlineAnswerTimeoutMs);
  EXPECT_TRUE(rig.StateHas("Timeout."));
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.sinks.engineSpeeds, (std::vector<int>{750}));

  rig.state.speedViewActive = false;
  rig.state.diagDisplayOn = true;
  rig.engine.ExpectAnswer();
  rig.env.clock.Advance(LinkEngine::kOnlineAnswerTimeoutMs);
  EXPECT_EQ(rig.sinks.diagnosticSteps, 1);
  EXPECT_EQ(rig.engine.TimeoutCount(), 2);
}

TEST_F(AnswerHandlerTest, BarometricReading) {
  rig.state.auxRequest = 1;
  rig.Answer("41 0B 62\r\r>");
  EXPECT_EQ(rig.atmosphere.Text(), "980");
  EXPECT_EQ(rig.state.auxRequest, 0);
}

TEST_F(AnswerHandlerTest, DiagnosticsFeedTheLiveModesInOrder) {
  rig.state.diagDisplayOn = true;
  rig.state.liveMode = "perfs";
  rig.Answer("41 0D 64\r\r>");
  EXPECT_EQ(rig.sinks.performance, (std::vector<int>{100}));
  EXPECT_EQ(rig.state.lastSpeed, 100);
  EXPECT_EQ(rig.state.decodedIndex, 9);
  EXPECT_EQ(rig.sinks.diagnosticSteps, 1);

  rig.state.liveMode = "powa";
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.sinks.livePowerSteps, 0);  // no curve yet
  rig.state.curveAvailable = true;
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.sinks.livePowerSteps, 1);
  rig.state.liveMode = "conso";
  rig.Answer("NO DATA\r\r>");
  EXPECT_EQ(rig.sinks.consumptionSteps, 1);
  EXPECT_EQ(rig.state.decodedIndex, -1);
  EXPECT_EQ(rig.sinks.diagnosticSteps, 4);
}

TEST_F(AnswerHandlerTest, LiveChartAndShiftAlert) {
  rig.state.diagDisplayOn = true;
  rig.state.auxRequest = 2;
  rig.shiftAlert.SetChecked(true);
  rig.shiftRpm.SetText("3000");
  rig.Answer("41 0B 96\r\r>");
  rig.Answer("41 0C 2E E4\r\r>");  // 3001 tr/mn
  rig.Answer("41 0C 2E E0\r\r>");  // 3000 tr/mn: not above
  ASSERT_EQ(rig.sinks.chart.size(), 3u);
  EXPECT_EQ(rig.sinks.chart[0], std::make_pair(150.0f, 0));
  EXPECT_EQ(rig.sinks.chart[1], std::make_pair(3001.0f, 1));
  EXPECT_EQ(rig.sinks.boostAlerts, 1);
  EXPECT_EQ(rig.env.beeper.beeps, 1);
  rig.shiftRpm.SetText("abc");  // a threshold that does not read sounds nothing, stops nothing
  rig.Answer("41 0C 2E E4\r\r>");
  EXPECT_EQ(rig.env.beeper.beeps, 1);
  EXPECT_TRUE(rig.env.dialogs.errors.empty());
}

TEST_F(AnswerHandlerTest, CapturePollingAlternatesSpeedAndEngineSpeed) {
  rig.state.captureMode = true;
  rig.Answer("41 0D 32\r\r>");
  EXPECT_EQ(rig.engine.LastCommand(), "010c\r");
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.port.LastWrite(), "010d\r");
  rig.Answer("NO DATA\r\r>");
  EXPECT_EQ(rig.port.LastWrite(), "\r");  // the same request again
  EXPECT_EQ(rig.engine.LastCommand(), "010d\r");
  EXPECT_EQ(rig.sinks.capturedSpeeds, (std::vector<int>{50}));
  EXPECT_EQ(rig.sinks.capturedRpms, (std::vector<int>{750}));
}

TEST_F(AnswerHandlerTest, AnswerInStateZeroIsHandledAsOnline) {
  rig.engine.Connect(InterfaceKind::Elm327, true, "/dev/ttyUSB0", false);  // port already open
  EXPECT_TRUE(rig.state.initialising);
  EXPECT_EQ(rig.state.linkState, 0);
  rig.state.diagDisplayOn = true;
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.state.values[8], 750);
  EXPECT_EQ(rig.StateLines().back(), "410c0bb8 : ANSW 0");
}

}  // namespace
}  // namespace kelvra::link

namespace kelvra::link {
namespace {

TEST_F(AnswerHandlerTest, UnrecognisedAnswerDuringPollingIsRetriedAfterTheTimeout) {
  StartSpeedView();
  rig.Answer("4? 0C 0B B8\r\r>");  // garbled on the line
  EXPECT_TRUE(rig.port.writes.empty());
  rig.env.clock.Advance(LinkEngine::kOnlineAnswerTimeoutMs);
  EXPECT_EQ(rig.port.writes, (std::vector<std::string>{"\r"}));
  rig.Answer("41 0C 0B B8\r\r>");
  EXPECT_EQ(rig.sinks.engineSpeeds, (std::vector<int>{750}));
}

}  // namespace
}  // namespace kelvra::link
