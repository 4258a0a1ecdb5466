#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "app/kelvra_windows.h"
#include "common/number_text.h"
#include "form/manual_services.h"
#include "support/fake_serial_port.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::app {
namespace {

// The program's windows on manual services: the diagram tab on TabSheet9 and the race window.
class DiagramWindowsTest : public ::testing::Test {
 protected:
  DiagramWindowsTest() {
    SetGears({"8", "14", "20", "26", "32", "0"});
    tab.engineSpeeds.SetLines({"1000", "2000", "3000", "4000", "5000", "6000"});
    tab.engineValues.SetLines({"30", "45", "60", "75", "85", "80"});
  }
  ~DiagramWindowsTest() override { std::filesystem::remove(file); }

  void SetGears(const std::array<const char*, 6>& speeds) {
    for (std::size_t g = 0; g < speeds.size(); ++g)
      windows.form1.vehicles.Field(vehicle::kFirstSpeedField + g).SetText(speeds[g]);
  }
  form::Chart& Chart1() { return windows.form1.Get<form::Chart>("Chart1"); }
  void WriteFile(const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }
  void ComputeWithMax() {
    tab.maxEnvelope.SetChecked(true);
    tab.compute.UserClick();
  }

  form::ManualServices env;
  testing::FakeSerialPort component;
  testing::FakeSerialPort alternative;
  KelvraWindows windows{env.services, component, alternative};
  DiagramTab& tab = windows.form1.diagram;
  DragRaceWindow& race = windows.form4;
  std::string file = (std::filesystem::temp_directory_path() /
                      ("kelvra_diagram_" + std::to_string(::getpid()) + ".csv"))
                         .string();
};

TEST_F(DiagramWindowsTest, ChartCarriesTheGearSeriesTheRawDataViewWritesTo) {
  form::Chart& chart = Chart1();
  EXPECT_EQ(chart.Parent(), &windows.form1.diagramPage);
  ASSERT_EQ(chart.SeriesCount(), 9);
  EXPECT_EQ(chart.Series(0).Title(), "1ère");
  EXPECT_EQ(chart.Series(0).GetColor(), form::kRed);
  EXPECT_EQ(chart.Series(0).LineWidth(), 2);
  EXPECT_EQ(chart.Series(1).Title(), "2nde");
  EXPECT_EQ(chart.Series(1).GetColor(), 0xFF8080u);
  EXPECT_EQ(chart.Series(1).LineWidth(), 2);
  const char* titles[] = {"1ère", "2nde", "3è", "4è", "5è", "6è", "Opti", "Max", ""};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(chart.Series(i).Title(), titles[i]);
  EXPECT_EQ(chart.Series(6).LineStyle(), form::PenStyle::DashDotDot);
  EXPECT_EQ(chart.Series(7).GetColor(), form::kBlack);
  EXPECT_EQ(chart.Series(8).GetColor(), form::kYellow);
  EXPECT_FALSE(chart.Series(8).Visible());
  EXPECT_EQ(chart.BottomAxis().title, "Vitesse (km/h)");
  EXPECT_EQ(chart.LeftAxis().title, "Accélération (m/s² ou km/h/s)");
  EXPECT_FALSE(tab.animation.Enabled());
  EXPECT_FALSE(tab.memorise.Enabled());
  EXPECT_FALSE(tab.scalePanel.Visible());
  EXPECT_FALSE(tab.advanced.Visible());
  EXPECT_EQ(race.ClientWidth(), 1037);
  EXPECT_EQ(race.ClientHeight(), 233);
  EXPECT_EQ(race.Caption(), "Animation");
}

TEST_F(DiagramWindowsTest, RowsAreAddedAsTypedAndRemovedFromEachListAlone) {
  tab.ClearData();
  tab.newSpeed.SetText("1000");
  tab.addRow.UserClick();
  tab.newSpeed.SetText("2000");
  tab.newValue.SetText("55,5");
  tab.addRow.UserClick();
  EXPECT_EQ(tab.engineSpeeds.Lines(), (std::vector<std::string>{"1000", "2000"}));
  EXPECT_EQ(tab.engineValues.Lines(), (std::vector<std::string>{"", "55,5"}));
  tab.engineValues.DeleteLine(0);
  tab.removeRow.UserClick();
  tab.removeRow.UserClick();
  EXPECT_TRUE(tab.engineSpeeds.Lines().empty());
  EXPECT_TRUE(tab.engineValues.Lines().empty());
  tab.clearRows.UserClick();
  EXPECT_TRUE(tab.engineSpeeds.Lines().empty());
}

TEST_F(DiagramWindowsTest, FileSourceReadsTheCurveExport) {
  WriteFile("3000;85.3;180.2\r\n3000; 85,3\r\n4500\r\n");
  env.dialogs.openAnswers.push_back(file);
  tab.fromFile.UserClick();
  ASSERT_EQ(env.dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(env.dialogs.fileRequests[0].fileName, "*.csv");
  EXPECT_EQ(tab.engineSpeeds.Lines(), (std::vector<std::string>{"3000", "3000", "4500"}));
  EXPECT_EQ(tab.engineValues.Lines(), (std::vector<std::string>{"85,3", "", ""}));

  // Cancel, then a file that cannot be read: the lists stay empty, the error is shown.
  tab.fromFile.UserClick();
  EXPECT_TRUE(tab.engineSpeeds.Lines().empty());
  env.dialogs.openAnswers.push_back(file + ".absent");
  tab.fromFile.UserClick();
  EXPECT_TRUE(tab.engineSpeeds.Lines().empty());
  ASSERT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_NE(env.dialogs.errors[0].find("Impossible de lire"), std::string::npos);

  std::string tooLong;
  for (int i = 0; i < 1025; ++i)
    tooLong += "1000;50\r\n";
  WriteFile(tooLong);
  env.dialogs.openAnswers.push_back(file);
  tab.fromFile.UserClick();
  EXPECT_TRUE(tab.engineSpeeds.Lines().empty());
  EXPECT_EQ(env.dialogs.messages.back(), acceleration::kTooManyRowsMessage);
}

TEST_F(DiagramWindowsTest, MemorySourceTakesTheNewestCurveOfThePowerTab) {
  power::CurveSet& curves = windows.form1.power.curves;
  curves.columns[0] = {120};
  curves.curveCount = 1;
  curves.r0 = 1000;
  curves.rfin = 6000;
  tab.fromCurve.UserClick();
  EXPECT_EQ(tab.engineSpeeds.LineCount(), 501);
  EXPECT_EQ(tab.engineValues.LineCount(), 501);
  EXPECT_EQ(tab.engineSpeeds.Lines()[500], "6000");
  EXPECT_TRUE(tab.engineSpeeds.Visible());
  curves.Clear();
  tab.fromCurve.UserClick();
  EXPECT_EQ(tab.engineSpeeds.LineCount(), 0);
}

TEST_F(DiagramWindowsTest, ManualScaleReadsTheEditsAndAutoGivesTheRangesBack) {
  tab.scaleButton.UserClick();
  EXPECT_TRUE(tab.scalePanel.Visible());
  EXPECT_TRUE(Chart1().LeftAxis().automatic);
  tab.minAccel.SetText("-0,5");
  tab.autoScale.UserToggle();
  const form::ChartAxis left = Chart1().LeftAxis();
  EXPECT_FALSE(left.automatic);
  EXPECT_EQ(left.minimum, -1);
  EXPECT_EQ(left.maximum, 7.5);
  EXPECT_DOUBLE_EQ(left.increment, 0.85);
  const form::ChartAxis bottom = Chart1().BottomAxis();
  EXPECT_FALSE(bottom.automatic);
  EXPECT_EQ(bottom.minimum, 0);
  EXPECT_EQ(bottom.maximum, 200);
  EXPECT_EQ(bottom.increment, 10);

  tab.minAccel.SetText("2");
  tab.maxAccel.SetText("beaucoup");
  tab.maxSpeed.SetText("150");
  tab.scaleOk.UserClick();
  EXPECT_FALSE(tab.scalePanel.Visible());
  EXPECT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_EQ(Chart1().LeftAxis().minimum, 2);
  EXPECT_EQ(Chart1().LeftAxis().maximum, 7.5);
  EXPECT_EQ(Chart1().BottomAxis().maximum, 200);

  tab.autoScale.UserToggle();
  EXPECT_TRUE(Chart1().LeftAxis().automatic);
  EXPECT_EQ(Chart1().LeftAxis().increment, 0);
  Chart1().UserDoubleClick();
  EXPECT_EQ(Chart1().ZoomResets(), 1);
}

TEST_F(DiagramWindowsTest, CalculerDrawsFiveGearsAndTheirResults) {
  tab.compute.UserClick();
  ASSERT_TRUE(env.dialogs.errors.empty()) << env.dialogs.errors[0];
  for (int g = 0; g < 5; ++g) {
    EXPECT_GT(Chart1().Series(g).Count(), 0) << g;
    EXPECT_TRUE(Chart1().Series(g).Visible());
  }
  EXPECT_EQ(Chart1().Series(5).Count(), 0);
  EXPECT_GT(Chart1().Series(6).Count(), 0);
  EXPECT_EQ(Chart1().Series(7).Count(), 0);
  EXPECT_EQ(tab.maxResults.LineCount(), 5);
  EXPECT_EQ(tab.maxResults.Lines()[0], "1°: 8,48m/s²");
  ASSERT_EQ(tab.shiftResults.LineCount(), 5);
  EXPECT_EQ(tab.shiftResults.Lines()[4].rfind("Vmax : ", 0), 0u);
  EXPECT_FALSE(tab.animation.Enabled());

  tab.unitKmhs.UserSelect();
  ComputeWithMax();
  EXPECT_EQ(tab.maxResults.Lines()[0], "1°: 30,53 km/h/s");
  for (int g = 0; g < 5; ++g)
    EXPECT_FALSE(Chart1().Series(g).Visible()) << g;
  EXPECT_GT(Chart1().Series(7).Count(), 0);
  EXPECT_TRUE(tab.animation.Enabled());
  EXPECT_TRUE(tab.memorise.Enabled());
}

TEST_F(DiagramWindowsTest, BadDataIsReportedAndLeavesTheDiagram) {
  tab.compute.UserClick();
  const auto before = Chart1().Series(0).Points();
  tab.engineValues.DeleteLine(5);
  tab.compute.UserClick();
  ASSERT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_EQ(env.dialogs.errors[0], acceleration::kMissingValuesMessage);
  EXPECT_EQ(Chart1().Series(0).Points(), before);
}

TEST_F(DiagramWindowsTest, EstimateChecksGearAndSpeedsThenComputesInMetresPerSecondSquared) {
  SetGears({"10", "20", "30", "40", "50", "0"});
  tab.gear.SetText("6");
  tab.estimate.UserClick();
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{"Rapport invalide"});
  tab.gear.SetText("3");
  tab.startSpeed.SetText("20");
  tab.estimate.UserClick();
  EXPECT_EQ(env.dialogs.messages.back(), "Vitesses invalides");
  EXPECT_EQ(tab.estimateResult.Caption(), "0s");

  tab.startSpeed.SetText("80");
  tab.unitKmhs.UserSelect();
  tab.estimate.UserClick();
  EXPECT_EQ(env.dialogs.messages.size(), 2u);
  EXPECT_TRUE(tab.unitMs2.Checked());
  EXPECT_NE(tab.estimateResult.Caption(), "0s");
  EXPECT_TRUE(tab.estimateResult.Caption().ends_with("s"));
  EXPECT_TRUE(tab.maxResults.Lines()[0].ends_with("m/s²"));
}

TEST_F(DiagramWindowsTest, EstimateWithoutRowsTakesTheCurve) {
  power::CurveSet& curves = windows.form1.power.curves;
  curves.columns[0] = {150};
  curves.curveCount = 1;
  curves.r0 = 1000;
  curves.rfin = 6000;
  SetGears({"10", "20", "30", "40", "50", "0"});
  tab.ClearData();
  tab.estimate.UserClick();
  EXPECT_EQ(tab.engineSpeeds.LineCount(), 501);
  EXPECT_TRUE(env.dialogs.messages.empty());
  EXPECT_NE(tab.estimateResult.Caption(), "0s");
}

TEST_F(DiagramWindowsTest, MemorisedEnvelopeStaysWhenTheDiagramChanges) {
  ComputeWithMax();
  tab.memorise.UserClick();
  const auto kept = Chart1().Series(7).Points();
  EXPECT_EQ(Chart1().Series(8).Points(), kept);
  tab.engineValues.SetLines({"40", "55", "70", "85", "95", "90"});
  tab.compute.UserClick();
  EXPECT_NE(Chart1().Series(7).Points(), kept);
  EXPECT_EQ(Chart1().Series(8).Points(), kept);
  EXPECT_EQ(tab.MemorisedEnvelope().topSpeed, tab.MemorisedEnvelope().topSpeed);
}

// Runs the clock until the race ends, at most `limitMs`.
void RunOut(form::ManualServices& env, const DragRaceWindow& race, int limitMs) {
  for (int t = 0; t < limitMs && race.Racing(); t += 100)
    env.clock.Advance(100);
}

TEST_F(DiagramWindowsTest, RaceAloneStepsEveryTenMillisecondsAndEndsPastOneThousandMetres) {
  ComputeWithMax();
  tab.animation.UserClick();
  EXPECT_TRUE(race.Visible());
  const form::Bounds car2 = race.car2.GetBounds();
  race.go.UserClick();
  ASSERT_TRUE(race.Racing());
  EXPECT_FLOAT_EQ(race.Race().SimTime(), 0.01f);  // the first step at once
  env.clock.Advance(10);
  EXPECT_FLOAT_EQ(race.Race().SimTime(), 0.02f);
  env.clock.Advance(5);
  EXPECT_FLOAT_EQ(race.Race().SimTime(), 0.02f);
  env.clock.Advance(95);
  EXPECT_NEAR(race.Race().SimTime(), 0.12f, 1e-5);
  race.go.UserClick();  // ignored while racing
  EXPECT_NEAR(race.Race().SimTime(), 0.12f, 1e-5);
  // Hundredths of the 32-bit simulated time, rounded down.
  EXPECT_TRUE(race.elapsed.Caption() == "0,12" || race.elapsed.Caption() == "0,11")
      << race.elapsed.Caption();

  RunOut(env, race, 120000);
  EXPECT_FALSE(race.Racing());
  EXPECT_EQ(env.clock.ActiveTimers(), 0);
  EXPECT_GT(race.Race().Car1().dist, 1000);
  EXPECT_EQ(race.car2.GetBounds(), car2);
  EXPECT_EQ(race.car1.GetBounds().left, static_cast<int>(20 + race.Race().Car1().dist - 4));
  EXPECT_EQ(race.gap.Caption(), "0m 0km/h");
  EXPECT_EQ(race.results2.LineCount(), 0);
  EXPECT_EQ(race.mark1000.Caption(), "1000");
  ASSERT_GE(race.results1.LineCount(), 2);
  EXPECT_NE(race.results1.Lines()[0].find("-100 : "), std::string::npos);
  EXPECT_EQ(race.speed1.Caption(), acceleration::DragRace::SpeedText(race.Race().Car1()));
  // The simulated time kept pace with the clock: one step per 10 ms.
  EXPECT_LT(race.Race().SimTime(), 120);

  const int lines = race.results1.LineCount();
  race.go.UserClick();
  RunOut(env, race, 120000);
  EXPECT_EQ(race.results1.LineCount(), 2 * lines);
}

TEST_F(DiagramWindowsTest, RaceAgainstTheMemorisedCarAndWithoutEndMovesTheTrack) {
  ComputeWithMax();
  tab.memorise.UserClick();
  tab.engineValues.SetLines({"40", "55", "70", "85", "95", "90"});
  tab.compute.UserClick();
  race.end1000.SetChecked(false);
  race.go.UserClick();
  env.clock.Advance(60000);
  EXPECT_TRUE(race.Racing());
  EXPECT_GT(race.Race().Car1().dist, 2004);
  EXPECT_EQ(race.mark0.Caption(), FormatInteger(race.Race().TrackOffset() - 4));
  EXPECT_EQ(race.mark400.Caption(), FormatInteger(race.Race().TrackOffset() + 396));
  EXPECT_NE(race.gap.Caption(), "0m 0km/h");
  EXPECT_GT(race.results2.LineCount(), 0);
  EXPECT_GT(race.Race().Car1().dist, race.Race().Car2().dist);  // the stronger car leads
  race.stop.UserClick();
  env.clock.Advance(10);
  EXPECT_FALSE(race.Racing());
  const float time = race.Race().SimTime();
  env.clock.Advance(1000);
  EXPECT_EQ(race.Race().SimTime(), time);
}

TEST_F(DiagramWindowsTest, RaceWithoutEnvelopeSaysSo) {
  race.go.UserClick();
  EXPECT_FALSE(race.Racing());
  EXPECT_EQ(env.dialogs.messages, std::vector<std::string>{acceleration::kNoEnvelopeMessage});
}

}  // namespace
}  // namespace kelvra::app
