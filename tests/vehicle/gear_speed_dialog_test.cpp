#include "vehicle/gear_speed_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "support/link_rig.h"

namespace kelvra::vehicle {
namespace {

class GearSpeedDialogTest : public ::testing::Test {
 protected:
  GearSpeedDialogTest() {
    dialog.Show();
    rig.handler.SetCaptureSink(&gears);
  }
  GearSpeedControls Create() {
    GearSpeedControls created{dialog, {}, {}, {}, {}};
    for (std::size_t gear = 0; gear < kGearCount; ++gear) {
      const std::string n = std::to_string(gear + 1);
      created.speeds[gear] = &dialog.Add<form::Edit>("edRv" + n, nullptr, "0");
      created.engineSpeeds[gear] = &dialog.Add<form::Edit>("Edit" + n, nullptr, "0");
      created.gears[gear] = &dialog.Add<form::RadioButton>("RadioButton" + n);
      created.mainSpeeds[gear] = &main.Add<form::Edit>("edRv" + n, nullptr, "0");
    }
    return created;
  }
  form::Edit& MainSpeed(std::size_t gear) { return *controls.mainSpeeds[gear]; }
  void Pair(std::size_t gear, const char* speed, const char* rpm) {
    controls.speeds[gear]->SetText(speed);
    controls.engineSpeeds[gear]->SetText(rpm);
  }

  testing::LinkRig rig;
  form::Window main{rig.env.services, "Form1", "Kelvra", 800, 600};
  form::Window dialog{rig.env.services, "Form2", "Rapports de boite", 606, 207};
  GearSpeedControls controls = Create();
  GearSpeedDialog gears{controls, rig.engine};
};

TEST_F(GearSpeedDialogTest, OkWritesTheSpeedsAt1000OfTheCompletePairs) {
  MainSpeed(2).SetText("19");
  MainSpeed(3).SetText("25");
  Pair(0, "50", "2500");
  Pair(1, "50", "3000");
  Pair(2, "0", "3000");  // incomplete: kept
  Pair(3, "40", "0");
  gears.ApplyGearSpeeds();
  EXPECT_EQ(MainSpeed(0).Text(), "20");
  EXPECT_EQ(MainSpeed(1).Text(), "16,6666666666667");
  EXPECT_EQ(MainSpeed(2).Text(), "19");
  EXPECT_EQ(MainSpeed(3).Text(), "25");
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(controls.speeds[0]->Text(), "50");
}

TEST_F(GearSpeedDialogTest, ABadPairStopsWithTheGearsBeforeItWritten) {
  struct Case {
    const char* rpm;
    const char* error;
  };
  for (const Case& c : {Case{"2500x", "'2500x' is not a valid floating point value"},
                        Case{"0,0", "Floating point division by zero"}}) {
    MainSpeed(0).SetText("0");
    MainSpeed(2).SetText("0");
    Pair(0, "50", "2500");
    Pair(1, "50", c.rpm);
    Pair(2, "60", "2000");
    rig.env.services.Dispatch([&] { gears.ApplyGearSpeeds(); });
    ASSERT_FALSE(rig.env.dialogs.errors.empty());
    EXPECT_EQ(rig.env.dialogs.errors.back(), c.error);
    EXPECT_EQ(MainSpeed(0).Text(), "20");
    EXPECT_EQ(MainSpeed(2).Text(), "0");
    EXPECT_TRUE(dialog.Visible());
  }
}

TEST_F(GearSpeedDialogTest, CancelKeepsTheTypedPairsAndTheMainWindow) {
  Pair(4, "90", "3000");
  gears.CancelDialog();
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(MainSpeed(4).Text(), "0");
  dialog.Show();
  EXPECT_EQ(controls.speeds[4]->Text(), "90");
  EXPECT_EQ(controls.engineSpeeds[4]->Text(), "3000");
}

// While the capture runs, the alternating answers fill the chosen gear's row.
TEST_F(GearSpeedDialogTest, CaptureFillsTheChosenGearFromTheAnswers) {
  rig.ConnectElmOnline();
  rig.port.ClearWrites();
  gears.ToggleCapture();
  EXPECT_TRUE(rig.state.captureMode);
  ASSERT_EQ(rig.port.writes, (std::vector<std::string>{"010d\r"}));  // the first request
  EXPECT_TRUE(rig.engine.AnswerPending());

  rig.Answer("41 0D 32\r\r>");  // no gear chosen yet: nothing written
  EXPECT_EQ(controls.speeds[2]->Text(), "0");
  controls.gears[2]->UserSelect();
  rig.Answer("41 0C 1A 0A\r\r>");
  rig.Answer("41 0D 32\r\r>");
  EXPECT_EQ(controls.speeds[2]->Text(), "50");
  EXPECT_EQ(controls.engineSpeeds[2]->Text(), "1666");
  EXPECT_EQ(controls.speeds[1]->Text(), "0");

  gears.ToggleCapture();
  EXPECT_FALSE(rig.state.captureMode);
  gears.ApplyGearSpeeds();
  EXPECT_EQ(MainSpeed(2).Text(), "30,0120048019208");
}

TEST_F(GearSpeedDialogTest, CaptureSendsNothingWhenOfflineOrAlreadyPolling) {
  gears.ToggleCapture();  // offline
  EXPECT_TRUE(rig.state.captureMode);
  EXPECT_TRUE(rig.port.writes.empty());
  gears.ToggleCapture();

  rig.ConnectElmOnline();
  rig.state.speedViewActive = true;
  rig.engine.SendCommand("010c\r");
  rig.engine.ExpectAnswer();
  rig.port.ClearWrites();
  gears.ToggleCapture();
  EXPECT_TRUE(rig.port.writes.empty());
}

}  // namespace
}  // namespace kelvra::vehicle
