#include "vehicle/vehicle_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "common/number_text.h"
#include "form/manual_services.h"
#include "form/page_controls.h"
#include "temp_folder.h"
#include "vehicle/gear_table.h"
#include "vehicle/vehicle_profile.h"

namespace kelvra::vehicle {
namespace {

using test::WriteBytes;

// A vehicle calibrated with the gear dialog: no ratios, speeds set, another tyre size.
const char* const kStore =
    "[liste]\r\nCalibree=Calibree\r\nMegane=Megane\r\n"
    "[Calibree]\r\n1e=0\r\n2e=0\r\n3e=0\r\nv1e=7,5\r\nv2e=13,25\r\nv3e=19\r\n"
    "jante=15\r\naspect=55\r\nlargeur=195\r\nmasse=1200\r\n"
    "[Megane]\r\ncouple conique=4,2\r\n1e=3,73\r\n2e=0\r\nv1e=0\r\nv2e=12\r\njante=14\r\n";

class VehicleEditorTest : public ::testing::Test {
 protected:
  form::Edit& Field(std::size_t field) { return tab.Field(field); }
  form::Edit& Speed(std::size_t gear) { return Field(kFirstSpeedField + gear); }
  form::Edit& Ratio(std::size_t gear) { return Field(kFirstRatioField + gear); }
  void UseStore() {
    WriteBytes(store.Path(), kStore);
    tab.FillList();
  }
  void Click(const std::string& name) {
    tab.vehicleList.UserClickItem(tab.vehicleList.IndexOf(name));
  }

  test::TempFolder folder;
  form::ManualServices env;
  form::Window window{env.services, "Form1", "Kelvra", 800, 600};
  VehicleStore store;
  VehicleTab tab{window, store, {}};
  EditorControls controls{window.Add<form::Edit>("edCirc", nullptr, "1,8144"),
                          window.Add<form::Edit>("edF", nullptr, "0,015"),
                          window.Add<form::Button>("Button2"),
                          window.Add<form::Label>("lbK1", nullptr, "= 0 W/(km/h)^3"),
                          window.Add<form::Label>("lbK2", nullptr, "= 0 W/km.h"),
                          window.Add<form::Label>("lbK3", nullptr, "= 0 W/km².h^3"),
                          window.Add<form::Label>("lbSAE", nullptr, "1")};
  VehicleEditor editor{tab, controls};
};

TEST_F(VehicleEditorTest, TypingANewRimResetsTheSpeedsAndRefillsThoseWithARatio) {
  Field(kFinalDriveField).SetText("4,2");
  Ratio(0).SetText("3,73");
  Speed(1).SetText("12");  // typed by hand, no ratio: lost
  Ratio(2).SetText("1,5");
  Speed(2).SetText("99");
  Field(kRimField).SetText("14");  // the same text: no reaction
  EXPECT_EQ(controls.circumference.Text(), "1,8144");
  EXPECT_EQ(Speed(1).Text(), "12");

  Field(kRimField).SetText("15");
  EXPECT_EQ(controls.circumference.Text(),
            FormatGeneral((15 * 2.54 + 22.2) * std::numbers::pi * 0.01));
  EXPECT_EQ(Speed(0).Text(), "7,25");
  EXPECT_EQ(Speed(1).Text(), "0");
  EXPECT_EQ(Speed(2).Text(), "18,04");
  for (std::size_t gear = 3; gear < kGearCount; ++gear)
    EXPECT_EQ(Speed(gear).Text(), "0");
  EXPECT_TRUE(controls.circumference.ReadOnly());
}

TEST_F(VehicleEditorTest, ARimThatIsNotWholeNeverFails) {
  Field(kRimField).SetText("14,5");
  EXPECT_EQ(controls.circumference.Text(), "0,697433569096934");
  EXPECT_TRUE(env.dialogs.errors.empty());
}

TEST_F(VehicleEditorTest, Button2CompletesTheTable) {
  Field(kFinalDriveField).SetText("4,2");
  controls.circumference.SetText("1,81458391671346");
  Ratio(0).SetText("3,73");
  Speed(3).SetText("6,94");
  controls.completeGears.UserClick();
  EXPECT_EQ(Speed(0).Text(), "6,94");
  EXPECT_EQ(Ratio(3).Text(), "3,73");
}

TEST_F(VehicleEditorTest, LoadingAnotherTyreSizeKeepsTheStoredSpeeds) {
  UseStore();
  Click("Calibree");
  EXPECT_EQ(Speed(0).Text(), "7,5");
  EXPECT_EQ(Speed(1).Text(), "13,25");
  EXPECT_EQ(Speed(2).Text(), "19");
  EXPECT_EQ(controls.circumference.Text(), CircumferenceText(tab.Profile()));
  EXPECT_EQ(controls.circumference.Text(), "1,87081842521272");
  EXPECT_TRUE(env.dialogs.errors.empty());

  // A save right after writes the speeds back unchanged.
  tab.saveButton.UserClick();
  VehicleProfile saved = VehicleProfile::Initial();
  store.LoadVehicle("Calibree", saved);
  EXPECT_EQ(saved.texts[kFirstSpeedField + 1], "13,25");

  // Typing a tyre size afterwards still resets them.
  Field(kWidthField).SetText("205");
  EXPECT_EQ(Speed(1).Text(), "0");
}

TEST_F(VehicleEditorTest, ImportKeepsTheSpeedsToo) {
  const std::string path = folder.File("calibree-export.ini");
  WriteBytes(path,
             "[export]\r\nnom=Calibree\r\n[Calibree]\r\nv1e=7,5\r\njante=16\r\nlargeur=205\r\n");
  env.dialogs.openAnswers.push_back(path);
  tab.importButton.UserClick();
  EXPECT_EQ(Speed(0).Text(), "7,5");
  EXPECT_EQ(controls.circumference.Text(), CircumferenceText(tab.Profile()));
}

TEST_F(VehicleEditorTest, ALoadComputesTheConstantsAndTheirLabels) {
  UseStore();
  Click("Calibree");
  EXPECT_EQ(editor.Constants().vehicleMass, 1200.0f);
  EXPECT_EQ(controls.sae.Caption(), "1,05229592323303");
  EXPECT_EQ(controls.k2.Caption(),
            "= " + FormatGeneral(editor.Constants().rollingCoefficient) + " W/(km/h)");
}

TEST_F(VehicleEditorTest, ALoadThatFailsInTheConstantsIsShownAndKeepsTheFields) {
  WriteBytes(store.Path(), "[liste]\r\nX=X\r\n[X]\r\nSCX=0,7\r\nmasse=lourd\r\n");
  tab.FillList();
  Click("X");
  ASSERT_EQ(env.dialogs.errors.size(), 1u);
  EXPECT_EQ(env.dialogs.errors[0], "'lourd' is not a valid floating point value");
  EXPECT_EQ(editor.Constants().dragArea, 0.7f);
  EXPECT_EQ(editor.Constants().vehicleMass, 1150.0f);
  EXPECT_EQ(Field(kMassField).Text(), "lourd");
}

TEST_F(VehicleEditorTest, SelectionCompletesTheGearTable) {
  UseStore();
  Click("Megane");
  EXPECT_EQ(Speed(0).Text(), "0");  // a load does not complete the table
  editor.Select();
  EXPECT_EQ(Speed(0).Text(), "6,94");
  EXPECT_EQ(Ratio(1).Text(),
            FormatGeneral(std::trunc(100 / 12.0 * 1.81458391671346 / 4.2 * 60) * 0.01));
  EXPECT_EQ(controls.k3.Caption(), "= 77,1604919433594 W/(km²/h^3)");
}

TEST_F(VehicleEditorTest, TheTwoSweptVolumesStayEqual) {
  Field(kSweptVolumeField).SetText("1598");
  EXPECT_EQ(Field(kSecondSweptVolumeField).Text(), "1598");
  Field(kSecondSweptVolumeField).SetText("1998");
  EXPECT_EQ(Field(kSweptVolumeField).Text(), "1998");
}

}  // namespace
}  // namespace kelvra::vehicle
