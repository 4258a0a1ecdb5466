#include <gtest/gtest.h>

#include <variant>

#include "acquisition/run_plot.h"
#include "form/manual_services.h"
#include "form/window.h"

namespace kelvra::acquisition {
namespace {

namespace draw = form::draw;

class RunPlotTest : public ::testing::Test {
 protected:
  template <class Op>
  std::vector<Op> All() const {
    std::vector<Op> found;
    for (const form::DrawOp& op : image.GetCanvas().Operations()) {
      if (const auto* typed = std::get_if<Op>(&op))
        found.push_back(*typed);
    }
    return found;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& text : All<draw::TextOut>())
      texts.push_back(text.text);
    return texts;
  }

  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 855, 538};
  form::Image& image = window.Add<form::Image>("img1", nullptr, 399, 183);
  RunBuffer buffer;
};

TEST_F(RunPlotTest, EmptyBufferDrawsTheAxesAndOneTimeMark) {
  DrawRunPlot(image, buffer, 700);
  const auto rectangles = All<draw::Rectangle>();
  ASSERT_EQ(rectangles.size(), 1u);
  EXPECT_EQ(rectangles[0].left, -1);
  EXPECT_EQ(rectangles[0].bottom, 184);
  // Marks every 1000 tr/mn below the gauge's top of 7000, then the single second "0".
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"1000", "2000", "3000", "4000", "5000", "6000", "0"}));
  const auto texts = All<draw::TextOut>();
  // sy = 163 / 7000: 1000 tr/mn at y = 163 - 23.29
  EXPECT_EQ(texts[0].x, 1);
  EXPECT_EQ(texts[0].y, 132);
  EXPECT_EQ(texts[6].x, 27);
  EXPECT_EQ(texts[6].y, 168);
  const auto lines = All<draw::LineTo>();
  EXPECT_EQ(lines[0].x, 30);
  EXPECT_EQ(lines[0].y, 163);
  EXPECT_EQ(lines[1].x, 399);
  EXPECT_EQ(lines[1].y, 163);
  EXPECT_EQ(lines[2].y, 139);  // the 1000 tr/mn tick
  for (const form::DrawOp& op : image.GetCanvas().Operations())
    EXPECT_FALSE(std::holds_alternative<draw::SetPen>(op) &&
                 std::get<draw::SetPen>(op).pen.color == form::kRed);
}

TEST_F(RunPlotTest, SamplesAreMappedOnTheWholeSecondsOfTheRun) {
  buffer.samples[0] = {0.0f, 3000.0f};
  buffer.samples[1] = {4.5f, 7000.0f};
  buffer.count = 2;
  EXPECT_DOUBLE_EQ(PlotTimeScale(399, buffer), 369.0 / 5);
  DrawRunPlot(image, buffer, 700);
  const auto texts = Texts();
  EXPECT_EQ(texts.back(), "4");  // seconds 0 to 4
  const auto moves = All<draw::MoveTo>();
  const auto lines = All<draw::LineTo>();
  EXPECT_EQ(moves.back().x, 30);
  EXPECT_EQ(moves.back().y, 93);   // 163 - 3000 * 163 / 7000 = 93.14
  EXPECT_EQ(lines.back().x, 362);  // 30 + 4.5 * 73.8
  EXPECT_EQ(lines.back().y, 0);
  // A redraw starts a new list instead of growing the old one.
  const std::size_t size = image.GetCanvas().Operations().size();
  DrawRunPlot(image, buffer, 700);
  EXPECT_EQ(image.GetCanvas().Operations().size(), size);
}

}  // namespace
}  // namespace kelvra::acquisition
