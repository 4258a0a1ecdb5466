#include <gtest/gtest.h>

#include <cmath>

#include "common/number_text.h"
#include "diagnostics/consumption.h"
#include "diagnostics/live_chart_feed.h"
#include "diagnostics_rig.h"
#include "power/curve_set.h"

namespace kelvra::testing {
namespace {

using diagnostics::DiagnosticsStation;

struct ModeCase {
  const char* name;
  bool diesel;
  bool airFlow;
  bool clv;
  int button;  // 15 power, 16 consumption, 18 performance
  const char* mode;
  std::vector<int> rows;
};

class LiveModeRows : public ::testing::TestWithParam<ModeCase> {};

TEST_P(LiveModeRows, StartChecksTheRowsLocksAndStopUnchecksEverything) {
  const ModeCase& c = GetParam();
  DiagnosticsRig rig;
  rig.diag.vehicle.diesel.SetChecked(c.diesel);
  if (!c.diesel)
    rig.link.station.window.Get<form::RadioButton>("rbRTess").SetChecked(true);
  if (c.airFlow) {
    rig.diag.vehicle.airFlow.SetChecked(true);
  } else {
    rig.link.station.window.Get<form::RadioButton>("rbRTnoMAF").SetChecked(true);
  }
  if (c.clv) {
    rig.diag.vehicle.loadIsClv.SetChecked(true);
  } else {
    rig.link.station.window.Get<form::RadioButton>("rbRTATP").SetChecked(true);
  }
  rig.ToggleRows({1, 5});  // the user's own rows are dropped by the mode
  form::Button& own = c.button == 15   ? rig.modes.power
                      : c.button == 16 ? rig.modes.consumption
                                       : rig.perf.toggle;
  const std::string idle = own.Caption();
  rig.Click(own);

  EXPECT_EQ(rig.CheckedRows(), c.rows);
  EXPECT_EQ(rig.state.liveMode, c.mode);
  EXPECT_EQ(own.Caption(), "Stopper");
  EXPECT_TRUE(rig.state.diagDisplayOn);
  EXPECT_FALSE(rig.visualise.Enabled());
  EXPECT_FALSE(rig.pidList.ItemEnabled(0));
  for (form::Button* other : {&rig.modes.power, &rig.modes.consumption, &rig.perf.toggle})
    EXPECT_EQ(other->Enabled(), other == &own) << other->Name();
  EXPECT_EQ(rig.Requests().size(), 1u);

  rig.Click(own);
  EXPECT_TRUE(rig.CheckedRows().empty());
  EXPECT_EQ(rig.state.liveMode, "null");
  EXPECT_EQ(own.Caption(), idle);
  EXPECT_FALSE(rig.state.diagDisplayOn);
  EXPECT_TRUE(rig.visualise.Enabled());
  EXPECT_TRUE(rig.pidList.ItemEnabled(0));
  for (form::Button* button : {&rig.modes.power, &rig.modes.consumption, &rig.perf.toggle})
    EXPECT_TRUE(button->Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LiveModeRows,
    ::testing::Values(
        ModeCase{"DieselConso", true, true, true, 16, "conso", {2, 9, 12, 13}},
        ModeCase{"PetrolAirFlowConso", false, true, true, 16, "conso", {2, 9, 12}},
        ModeCase{"PetrolNoAirFlowConso", false, false, true, 16, "conso", {2, 7, 8, 9, 11}},
        ModeCase{"PowaClv", false, true, true, 15, "powa", {0, 8}},
        ModeCase{"PowaAtp", false, true, false, 15, "powa", {8, 13}},
        ModeCase{"Perfs", false, true, true, 18, "perfs", {9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Consumption, PetrolWithAirFlowExample) {
  diagnostics::ConsumptionParameters p;
  diagnostics::ConsumptionReadings r;
  r.airFlowGramsPerS = 10;
  const float c = diagnostics::LitresPerHour(p, r);
  EXPECT_NEAR(c, 2.91518, 5e-6);
  EXPECT_EQ(diagnostics::LitresPer100Text(c, 50).substr(0, 7), "5,83035");
  EXPECT_EQ(diagnostics::LitresPer100Text(c, 0), "oo");
  // Diesel: the throttle scales it; without air flow sensor: speed-density.
  p.engine = diagnostics::EngineKind::Diesel;
  r.throttlePercent = 50;
  EXPECT_NEAR(diagnostics::LitresPerHour(p, r), 150 * (10 / 29.0) / 16 * 0.5 * 3600 * 0.2 / 900,
              1e-5);
  p.engine = diagnostics::EngineKind::PetrolWithoutAirFlow;
  r = {0, 99, 3000, 25, 0, 0};
  const double m = 120 * (99 * 3000 / 60.0) / (298 * 8.314);
  EXPECT_NEAR(diagnostics::LitresPerHour(p, r), m * 0.9 * 1000 * 0.0005 / 14.6 * 3600 * 0.2 / 700,
              1e-4);
}

TEST(LiveModes, ConsumptionFromTheAnswersAndInfiniteAtRest) {
  DiagnosticsRig rig;
  rig.Click(rig.modes.consumption);  // petrol with air flow sensor: 9, 2, 12
  rig.Answer("41 06 80");            // no trim
  rig.Answer("41 0D 32");            // 50 km/h
  rig.Answer("41 10 03 E8");         // 10 g/s
  // 2,9151765… l/h: about 2,91518.
  EXPECT_NEAR(ParseReal(rig.modes.litresPerHour.Caption()), 2.91518, 5e-6);
  EXPECT_EQ(rig.modes.litresPer100.Caption().substr(0, 7), "5,83035");
  rig.Answer("41 0D 00");
  EXPECT_EQ(rig.modes.litresPer100.Caption(), "oo");
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"0106", "010D", "0110", "0106", "010D"}));
}

TEST(LiveModes, ABadSettingIsReportedOnceAndThePollingGoesOn) {
  DiagnosticsRig rig;
  rig.diag.vehicle.petrolDensity.SetText("abc");
  rig.Click(rig.modes.consumption);
  for (int i = 0; i < 4; ++i)
    rig.Answer("41 10 03 E8");
  EXPECT_EQ(rig.Requests().size(), 5u);
  ASSERT_EQ(rig.dialogs.errors.size(), 1u);
  EXPECT_EQ(rig.dialogs.errors[0], "'abc' is not a valid floating point value");
  EXPECT_EQ(rig.modes.litresPerHour.Caption(), "0");
}

TEST(LiveModes, LivePowerScalesCurveZeroByTheLoad) {
  DiagnosticsRig rig;
  power::CurveSet curves;
  // A flat torque of 100 N·m: 1000 tenths, the power follows from it.
  curves.columns[0] = {100.0};
  curves.curveCount = 1;
  curves.curveAvailable = true;
  rig.diag.live.modes.SetCurves(&curves);
  rig.Click(rig.modes.power);  // rows 8 and 0
  rig.Answer("41 0C 2E E0");   // 3000 tr/mn
  rig.Answer("41 04 80");      // 50,19… %
  const double load = 128 * 0.3921568627450981;
  const double torque = power::EvaluateCurve(curves, 0, 3000, power::Quantity::kTorque);
  const double powerValue = power::EvaluateCurve(curves, 0, 3000, power::Quantity::kPower);
  EXPECT_EQ(rig.modes.torqueText.Caption(),
            FormatGeneral(std::trunc(torque * static_cast<float>(load)) * 0.001));
  EXPECT_EQ(rig.modes.powerText.Caption(),
            FormatGeneral(std::trunc(powerValue * static_cast<float>(load)) * 0.001));
  EXPECT_EQ(rig.modes.torqueText.Caption().substr(0, 4), "50,1");
}

TEST(LiveModes, WithoutACurvePowaPollsButKeepsItsTexts) {
  DiagnosticsRig rig;
  power::CurveSet none;
  rig.diag.live.modes.SetCurves(&none);
  rig.Click(rig.modes.power);
  rig.Answer("41 0C 2E E0");
  rig.Answer("41 04 80");
  EXPECT_EQ(rig.modes.powerText.Caption(), "0");
  EXPECT_EQ(rig.modes.torqueText.Caption(), "0");
  EXPECT_EQ(rig.Requests().size(), 3u);
}

TEST(LiveModes, AutoThenTheManifoldAnswerSetsTheAtmosphericPressure) {
  DiagnosticsRig rig;
  EXPECT_EQ(rig.modes.atmosphere.Text(), "1070");
  rig.Click(rig.modes.barometer);
  ASSERT_EQ(rig.dialogs.messages.size(), 1u);
  EXPECT_EQ(rig.dialogs.messages[0].rfind("Attention : pour la détermination automatique", 0), 0u);
  EXPECT_EQ(rig.state.auxRequest, 1);
  EXPECT_EQ(rig.Requests(), (std::vector<std::string>{"010b"}));
  rig.Answer("41 0B 62");
  EXPECT_EQ(rig.modes.atmosphere.Text(), "980");
  EXPECT_EQ(rig.state.auxRequest, 0);
}

TEST(LiveChart, BoostAgainstTimeAndTheAlertOnTheBoost) {
  DiagnosticsRig rig;
  rig.link.env.clock.SetNow(45000.5);
  rig.Click(rig.modes.showChart);
  EXPECT_EQ(rig.CheckedRows(), (std::vector<int>{7, 8}));
  EXPECT_TRUE(rig.state.diagDisplayOn);
  EXPECT_EQ(rig.state.auxRequest, 2);
  rig.modes.boostMax.SetText("-100");
  rig.modes.boostAlert.SetChecked(true);
  rig.link.env.clock.Advance(1500);
  rig.Answer("41 0B 64");  // 100 kPa with 1070 mbar: -70 mbar
  rig.link.env.clock.Advance(250);
  rig.Answer("41 0C 0F A0");
  const form::ChartSeries& boost = rig.diag.chart.Series(1);
  const form::ChartSeries& rpm = rig.diag.chart.Series(0);
  ASSERT_EQ(boost.Count(), 1);
  EXPECT_EQ(boost.Points()[0], (form::ChartPoint{1.5, -70}));
  ASSERT_EQ(rpm.Count(), 1);
  EXPECT_EQ(rpm.Points()[0], (form::ChartPoint{1.75, 1000}));
  EXPECT_EQ(rig.link.env.beeper.beeps, 1);  // -70 mbar is above the threshold of -100
  rig.modes.boostMax.SetText("-50");
  rig.Answer("41 0B 64");
  EXPECT_EQ(rig.link.env.beeper.beeps, 1);

  rig.Click(rig.modes.resetChart);
  EXPECT_EQ(boost.Count(), 0);
  EXPECT_EQ(rpm.Count(), 0);
  EXPECT_EQ(rig.diag.live.chart->StartTime(), rig.link.env.clock.Now());
}

TEST(LiveChart, SecondsFoldBackAfterAnHour) {
  constexpr double kSecond = 1.0 / 86400;
  EXPECT_DOUBLE_EQ(diagnostics::LiveChartSeconds(61.25 * kSecond), 61.25);
  EXPECT_DOUBLE_EQ(diagnostics::LiveChartSeconds(3605 * kSecond), 5);
}

// Going offline stops the visualisation but not the mode; stopping the mode then leaves the
// visualisation off instead of switching it on with no row to poll.
TEST(LiveModes, StoppingAModeWhoseVisualisationWasStoppedLeavesItOff) {
  DiagnosticsRig rig;
  rig.Click(rig.modes.consumption);
  EXPECT_TRUE(rig.state.diagDisplayOn);
  rig.state.diagDisplayOn = false;  // what going offline and back online leaves
  const std::size_t sent = rig.Requests().size();
  rig.Click(rig.modes.consumption);
  EXPECT_FALSE(rig.state.diagDisplayOn);
  EXPECT_EQ(rig.state.liveMode, "null");
  EXPECT_EQ(rig.Requests().size(), sent);
  EXPECT_TRUE(rig.CheckedRows().empty());
}

}  // namespace
}  // namespace kelvra::testing
