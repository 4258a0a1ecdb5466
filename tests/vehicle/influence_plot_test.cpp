#include "vehicle/influence_plot.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "common/errors.h"
#include "form/manual_services.h"
#include "form/window.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

namespace draw = form::draw;

class InfluencePlotTest : public ::testing::Test {
 protected:
  InfluencePlotTest() { ComputeDerivedConstants(VehicleProfile::Initial(), "0,015", constants); }

  template <class Op>
  std::vector<Op> OpsOf(const form::Image& image) const {
    std::vector<Op> ops;
    for (const form::DrawOp& op : image.GetCanvas().Operations()) {
      if (const auto* found = std::get_if<Op>(&op))
        ops.push_back(*found);
    }
    return ops;
  }

  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 800, 600};
  DerivedConstants constants;
  InfluenceControls controls{window.Add<form::Edit>("edPVmax", nullptr, "100"),
                             window.Add<form::RadioButton>("rbAero", nullptr, "Aérodynamique"),
                             window.Add<form::RadioButton>("rbFrot", nullptr, "Frott. solides"),
                             window.Add<form::RadioButton>("rbEc", nullptr, "Energie cinétique"),
                             window.Add<form::Image>("imp", nullptr, 513, 177),
                             window.Add<form::Image>("impy", nullptr, 57, 177),
                             window.Add<form::Label>("lbUnit1", nullptr, "kW"),
                             window.Add<form::Label>("lbXY1", nullptr, "Vitesse : 0 km/h"),
                             window.Add<form::Label>("lbx1"),
                             window.Add<form::Label>("lby1")};
  InfluencePlot plot{controls, constants};
};

TEST_F(InfluencePlotTest, EachTermRisesFromTheBottomLeftToTheTopRight) {
  for (form::RadioButton* button : {&controls.aero, &controls.rolling, &controls.kinetic}) {
    button->UserSelect();
    const auto moves = OpsOf<draw::MoveTo>(controls.plot);
    const auto lines = OpsOf<draw::LineTo>(controls.plot);
    ASSERT_EQ(moves.size(), 1u) << button->Name();
    EXPECT_EQ(moves[0].x, 0);
    EXPECT_EQ(moves[0].y, 177);
    ASSERT_EQ(lines.size(), 513u);
    EXPECT_EQ(lines[0].y, 177);
    EXPECT_EQ(lines.back().x, 512);
    EXPECT_LE(lines.back().y, 2) << button->Name();
    for (std::size_t i = 1; i < lines.size(); ++i)
      ASSERT_LE(lines[i].y, lines[i - 1].y);
  }
  EXPECT_EQ(controls.unit.Caption(), "kJ");
}

// Rolling resistance at 100 km/h: K2 × 100 = 4083 W; the axis shows kW to one decimal, truncated.
TEST_F(InfluencePlotTest, AxisTicksEveryThirtyPixelsWithTheirValues) {
  controls.rolling.UserSelect();
  EXPECT_EQ(controls.unit.Caption(), "kW");
  const auto texts = OpsOf<draw::TextOut>(controls.axis);
  ASSERT_EQ(texts.size(), 6u);  // rows 0, 30, ... 150
  EXPECT_EQ(texts[0].x, 20);
  EXPECT_EQ(texts[0].y, -6);
  EXPECT_EQ(texts[0].text, "4");
  EXPECT_EQ(texts[5].y, 144);
  EXPECT_EQ(texts[5].text, "0,6");
  const auto lines = OpsOf<draw::LineTo>(controls.axis);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].x, 56);
  EXPECT_EQ(lines[0].y, 177);

  // A second plot replaces the first one, axis included.
  controls.maxSpeed.SetText("200");
  controls.aero.UserSelect();
  EXPECT_EQ(OpsOf<draw::TextOut>(controls.axis).size(), 6u);
  EXPECT_EQ(OpsOf<draw::MoveTo>(controls.plot).size(), 1u);
}

TEST_F(InfluencePlotTest, ReadoutUnderTheMouse) {
  controls.plot.UserMouseMove({form::MouseButton::Left, 256, 40});
  EXPECT_EQ(controls.mouseX.Caption(), "256");
  EXPECT_EQ(controls.mouseY.Caption(), "40");
  EXPECT_EQ(controls.readout.Caption(), "Vitesse : 0 km/h");  // nothing chosen yet

  controls.aero.UserSelect();
  controls.plot.UserMouseMove({form::MouseButton::Left, 513, 0});
  // K1 × 100³ = 7957 W.
  EXPECT_EQ(controls.readout.Caption(), "Vitesse : 100km/h ; P/En : 7kW");
}

TEST_F(InfluencePlotTest, AZeroScaleOrANonNumberIsAnError) {
  controls.maxSpeed.SetText("0");
  controls.aero.UserSelect();
  ASSERT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_EQ(env.dialogs.errors[0], "Floating point division by zero");
  EXPECT_TRUE(controls.plot.GetCanvas().Operations().empty());

  controls.maxSpeed.SetText("vite");
  controls.rolling.UserSelect();
  ASSERT_EQ(env.dialogs.errors.size(), 2u);
  EXPECT_EQ(env.dialogs.errors[1], "'vite' is not a valid floating point value");
}

}  // namespace
}  // namespace kelvra::vehicle
