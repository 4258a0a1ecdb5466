#include "power/curve_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "form/chart.h"
#include "form/manual_services.h"
#include "form/window.h"
#include "power/curve_export.h"
#include "power/raw_data_view.h"

namespace kelvra::power {
namespace {

using form::DrawOp;
namespace draw = form::draw;

template <class Op>
std::vector<Op> OpsOf(const form::Image& image) {
  std::vector<Op> found;
  for (const DrawOp& op : image.GetCanvas().Operations()) {
    if (const auto* typed = std::get_if<Op>(&op))
      found.push_back(*typed);
  }
  return found;
}

bool HasText(const form::Image& image, int x, int y, const std::string& text) {
  const auto texts = OpsOf<draw::TextOut>(image);
  return std::any_of(texts.begin(), texts.end(), [&](const draw::TextOut& t) {
    return t.x == x && t.y == y && t.text == text;
  });
}

// One curve of a constant 150 N·m from 1000 to 6000 tr/mn, on the tab's three images.
class CurveChartTest : public ::testing::Test {
 protected:
  CurveChartTest() {
    set.columns[0] = {150};
    set.curveCount = 1;
    set.r0 = 1000;
    set.rfin = 6000;
    set.maxPower10 = 1300;
    set.maxTorque10 = 1500;
    set.readoutEnabled = true;
  }

  form::ManualServices env;
  form::Window window{env.services, "Form1", "", 855, 538};
  form::Image& image1 = window.Add<form::Image>("Image1", nullptr, 538, 240);
  form::Image& img2 = window.Add<form::Image>("img2", nullptr, 599, 263);
  form::Image& imLeg = window.Add<form::Image>("imLeg", nullptr, 199, 88);
  CurveChart chart{image1, img2, imLeg};
  CurveSet set;
};

TEST_F(CurveChartTest, CurvesArePolylinesFromTheCornersWithTheirLegendRow) {
  chart.DrawCurves(set, {}, " Clio", 1);
  const auto& ops = image1.GetCanvas().Operations();
  ASSERT_FALSE(ops.empty());
  // Power: blue, width 2, from the top-left corner, every 50 tr/mn from r0 to rfin.
  EXPECT_EQ(std::get<draw::MoveTo>(ops[0]).x, 0);
  EXPECT_EQ(std::get<draw::MoveTo>(ops[0]).y, 0);
  EXPECT_EQ(std::get<draw::SetPen>(ops[1]).pen, (form::Pen{0x2828FF, 2}));
  // 1000 tr/mn: 213,6 tenths of cv at 240/1300 pixels each.
  EXPECT_EQ(std::get<draw::LineTo>(ops[2]).x, 0);
  EXPECT_EQ(std::get<draw::LineTo>(ops[2]).y, 200);
  const auto moves = OpsOf<draw::MoveTo>(image1);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[1].x, 0);
  EXPECT_EQ(moves[1].y, 480);  // torque starts below the bottom-left corner
  const auto lines = OpsOf<draw::LineTo>(image1);
  ASSERT_EQ(lines.size(), 101u + 501u);  // power every 50, torque every 10 tr/mn
  // Torque at its maximum everywhere: the top of the image, up to the right edge.
  EXPECT_EQ(lines[101].y, 0);
  EXPECT_EQ(lines.back().y, 0);
  EXPECT_GE(lines.back().x, 537);
  EXPECT_LE(lines.back().x, 538);
  const auto pens = OpsOf<draw::SetPen>(image1);
  EXPECT_EQ(pens[1].pen, (form::Pen{0xFF2828, 2}));

  // The legend: the text once per drawn quantity at row 0, the strokes at rows' 4 and 9.
  EXPECT_TRUE(HasText(imLeg, 30, 0, " Clio"));
  const auto strokes = OpsOf<draw::LineTo>(imLeg);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0].x, 28);
  EXPECT_EQ(strokes[0].y, 4);
  EXPECT_EQ(strokes[1].y, 9);
  EXPECT_EQ(image1.GetCanvas().GetPen().width, 1);
}

TEST_F(CurveChartTest, OnlyTheNewestCurveGetsItsLegendText) {
  set.columns[1] = {100};
  set.curveCount = 2;
  chart.DrawCurves(set, {true, false, true}, " 206", 1);
  EXPECT_EQ(OpsOf<draw::TextOut>(imLeg).size(), 1u);
  EXPECT_TRUE(HasText(imLeg, 30, 11, " 206"));        // row 1 of 88 / 8 pixels
  EXPECT_EQ(OpsOf<draw::MoveTo>(image1).size(), 2u);  // power only
  EXPECT_EQ(OpsOf<draw::SetPen>(image1)[1].pen.color, 0x5050FFu);
}

TEST_F(CurveChartTest, NothingIsDrawnWithoutARange) {
  set.rfin = set.r0;
  chart.DrawCurves(set, {}, " Clio", 1);
  EXPECT_TRUE(image1.GetCanvas().Operations().empty());
  EXPECT_EQ(chart.ReadoutText(set, 300, 1), std::nullopt);
}

TEST_F(CurveChartTest, AxesTicksLabelsGridAndFrame) {
  chart.DrawCurves(set, {}, "", 1);
  chart.DrawAxes(set, 1300, true);
  // Power: tenths of the peak from H - 20 = 243 up, labels in whole cv (single-precision scale:
  // a tenth is a hair over 24 pixels, truncated).
  EXPECT_TRUE(HasText(img2, 1, 211, "13"));
  EXPECT_TRUE(HasText(img2, 1, -5, "130"));
  // Torque: tenths of the largest torque, on the right.
  EXPECT_TRUE(HasText(img2, 572, 3 - 7, "150"));
  EXPECT_TRUE(HasText(img2, 572, 219 - 7, "15"));
  // Engine speed: ten ticks from r0, none at the right end.
  EXPECT_TRUE(HasText(img2, 18, 248, "1000"));
  EXPECT_TRUE(HasText(img2, 2500 * 538 / 5000 + 18, 248, "3500"));
  EXPECT_FALSE(HasText(img2, 538 + 18, 248, "6000"));
  const auto pens = OpsOf<draw::SetPen>(img2);
  EXPECT_TRUE(std::any_of(pens.begin(), pens.end(), [](const draw::SetPen& p) {
    return p.pen == form::Pen{0x808080, 1, form::PenStyle::Dot};
  }));
  const auto lines = OpsOf<draw::LineTo>(img2);
  // The frame closes the list: down the left, across the bottom, up the right.
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3].y, 243);
  EXPECT_EQ(lines[lines.size() - 2].x, 569);
  EXPECT_EQ(lines.back().y, 0);
  // Grid lines: ten across, ten up.
  EXPECT_EQ(
      std::count_if(lines.begin(), lines.end(), [](const draw::LineTo& l) { return l.x == 569; }),
      10 + 10 + 2);  // grid, torque ticks, frame

  chart.DrawAxes(set, 1300, false);
  const auto plain = OpsOf<draw::SetPen>(img2);
  EXPECT_TRUE(std::none_of(plain.begin(), plain.end(), [](const draw::SetPen& p) {
    return p.pen.style == form::PenStyle::Dot;
  }));
}

TEST_F(CurveChartTest, ReadoutShowsTheCurveUnderThePointerInsideTheRange) {
  chart.DrawCurves(set, {}, "", 1);
  // (300 - 29) / (538 / 5000) + 1000 = 3518,6 tr/mn: 75,2 cv and 150 N·m.
  EXPECT_EQ(chart.ReadoutText(set, 300, 1), "3518tr/mn - 150Nm - 75Cv");
  EXPECT_EQ(chart.ReadoutText(set, 300, 1.1), "3518tr/mn - 165Nm - 82Cv");
  EXPECT_EQ(chart.ReadoutText(set, 29, 1), std::nullopt);   // at r0: outside
  EXPECT_EQ(chart.ReadoutText(set, 600, 1), std::nullopt);  // beyond rfin
  set.readoutCurve = 3;                                     // a legend row without a curve
  EXPECT_EQ(chart.ReadoutText(set, 300, 1), std::nullopt);
  EXPECT_EQ(chart.LegendRow(0), 0);
  EXPECT_EQ(chart.LegendRow(11), 1);
  EXPECT_EQ(chart.LegendRow(87), 7);
}

TEST_F(CurveChartTest, ClearWithResetEmptiesTheSetAndBlanksEveryImage) {
  chart.DrawCurves(set, {}, " Clio", 1);
  chart.DrawAxes(set, 1300, true);
  ClearChart(set, chart, false);
  EXPECT_EQ(set.curveCount, 1);
  EXPECT_TRUE(image1.GetCanvas().Operations().empty());
  EXPECT_TRUE(img2.GetCanvas().Operations().empty());
  EXPECT_TRUE(imLeg.GetCanvas().Operations().empty());
  set.readoutCurve = 2;
  ClearChart(set, chart, true);
  EXPECT_EQ(set.curveCount, 0);
  EXPECT_EQ(set.r0, 32000);
  EXPECT_EQ(set.rfin, 0);
  EXPECT_EQ(set.maxPower10, 0);
  EXPECT_EQ(set.readoutCurve, 0);
  EXPECT_EQ(set.columns[0].size(), 1u);  // the columns stay for later computations
}

TEST(CurveColorsTest, LighterForEachCurveAndADistinctSeventh) {
  EXPECT_EQ(ColorsOf(0).power, 0x2828FFu);
  EXPECT_EQ(ColorsOf(0).torque, 0xFF2828u);
  EXPECT_EQ(ColorsOf(5).power, 0xF0F0FFu);
  EXPECT_EQ(ColorsOf(5).torque, 0xFFF0F0u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_NE(ColorsOf(6).power, ColorsOf(k).power);
    EXPECT_NE(ColorsOf(6).torque, ColorsOf(k).torque);
  }
  EXPECT_NE(ColorsOf(6).power, ColorsOf(6).torque);
}

TEST(LegendTextTest, FromTheTwentyThirdCharacterOfTheStatusPanel) {
  EXPECT_EQ(LegendText("Véhicule sélectionné : Clio 1.2"), " Clio 1.2");
  EXPECT_EQ(LegendText("Aucun véhicule sélectionné"), "onné");
  EXPECT_EQ(LegendText("court"), "");
  EXPECT_EQ(LegendText("Véhicule sélectionné : " + std::string(300, 'x')).size(), 200u);
}

TEST(CurveExportTest, RowsOverTheVehicleCurveRangeAndCoefficientLines) {
  PowerWorkspace workspace;
  EXPECT_TRUE(ExportRows(workspace, 1).empty());
  CurveSet& set = workspace.curves;
  set.columns[0] = {0.5, 140};
  set.curveCount = 1;
  set.r0 = 1230;
  set.rfin = 1390;
  // No run text bounds a vehicle curve: its range, rounded down to hundreds.
  const auto rows = ExportRows(workspace, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], "1200;126,477709727959;740");
  EXPECT_EQ(rows[2], "1300;146,275459336277;790");
  EXPECT_EQ(ExportRows(workspace, 2)[0], "1200;252,955419455918;1480");
  EXPECT_EQ(CoefficientLines(set),
            (std::vector<std::string>{"Double-cliquer pour masquer", "0,5", "140"}));
}

TEST(RawDataViewTest, SamplesInAscendingEngineSpeedOnTheFirstTwoSeries) {
  form::ManualServices env;
  form::Window window{env.services, "Form1", "", 855, 538};
  auto& chart = window.Add<form::Chart>("Chart1");
  chart.AddSeries("1ère", 0xFF0000).Add(1, 1);
  chart.AddSeries("2nde", 0xFF8080);
  chart.AddSeries("3ème", 0x00FF00).Add(5, 5);
  PowerSampleTable samples(5);
  const float rpms[] = {2000, 2100, 2050, 2300, 2400};
  for (int j = 0; j < 5; ++j) {
    samples[j].rpm = rpms[j];
    samples[j].power10 = 100.f * j;
    samples[j].torque10 = 1000.f + j;
  }
  ShowRawData(chart, samples);
  // Lines 1 to 3 only; the first and the last give no sample.
  EXPECT_EQ(chart.Series(0).Points(),
            (std::vector<form::ChartPoint>{{2050, 20}, {2100, 10}, {2300, 30}}));
  ASSERT_EQ(chart.Series(1).Count(), 3);
  EXPECT_DOUBLE_EQ(chart.Series(1).Points()[0].y, 100.2);
  EXPECT_EQ(chart.Series(2).Count(), 1);
  ClearRawData(chart);
  EXPECT_EQ(chart.Series(0).Count() + chart.Series(1).Count(), 0);

  auto& lone = window.Add<form::Chart>("Chart2");
  lone.AddSeries("seule", 0).Add(1, 1);
  ShowRawData(lone, samples);  // fewer than two series: untouched
  EXPECT_EQ(lone.Series(0).Count(), 1);
}

}  // namespace
}  // namespace kelvra::power
