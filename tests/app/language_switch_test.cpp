#include <gtest/gtest.h>

#include <string>

#include "app/language_switch.h"
#include "app/translation_table.h"
#include "link/dialogue_log.h"
#include "main_window_rig.h"

namespace kelvra::app {
namespace {

const form::Control* ControlCaptioned(const form::Window& window, std::string_view text) {
  for (const auto& control : window.Controls()) {
    if (control->Text() == text)
      return control.get();
  }
  return nullptr;
}

TEST(LanguageSwitch, EveryRowOfTheTableGoesFromItsFrenchCaptionToEnglish) {
  MainWindowRig rig;
  MainWindow& w = rig.window;
  for (const Translation& row : TranslationTable()) {
    const form::Control* control = w.Find(row.control);
    if (control == nullptr) {
      ADD_FAILURE() << "no control " << row.control;
      continue;
    }
    EXPECT_EQ(control->Text(), row.french) << row.control;
  }
  const form::Control* aspect = ControlCaptioned(w, "Aspect (%)");
  ASSERT_NE(aspect, nullptr);
  w.acquisition.stateTrace.AddLine("10:00:00 ligne tracée avant");

  ASSERT_TRUE(w.home.englishButton.Visible());
  w.home.englishButton.UserClick();

  for (const Translation& row : TranslationTable()) {
    if (const form::Control* control = w.Find(row.control)) {
      EXPECT_EQ(control->Text(), row.english) << row.control;
    }
  }
  EXPECT_EQ(aspect->Text(), "Aspect (%)");
  EXPECT_EQ(w.Get<form::Label>("lbKelvra").Text(), "Kelvra 2");
  EXPECT_EQ(w.status.PanelText(0), "No vehicle selected");
  EXPECT_EQ(w.acquisition.stateTrace.Lines(),
            (std::vector<std::string>{"Kelvra >> status tracking"}));
  EXPECT_EQ(w.acquisition.dataTrace.Lines(), (std::vector<std::string>{"Kelvra >> data tracking"}));
}

TEST(LanguageSwitch, TextsWrittenLaterStayFrenchAndASecondSwitchClearsTheTracesAgain) {
  MainWindowRig rig;
  MainWindow& w = rig.window;
  w.home.englishButton.UserClick();
  w.log.State("ligne après la bascule");
  EXPECT_EQ(w.acquisition.stateTrace.Lines().size(), 2u);

  w.SelectVehicle();
  EXPECT_EQ(w.status.PanelText(0).rfind("Véhicule sélectionné : ", 0), 0u);

  w.home.englishButton.UserClick();
  EXPECT_EQ(w.acquisition.stateTrace.Lines(),
            (std::vector<std::string>{"Kelvra >> status tracking"}));
  EXPECT_EQ(w.Get<form::Button>("btVehSelec").Text(), "Select Vehicle");
  EXPECT_EQ(w.status.PanelText(0), "No vehicle selected");
}

TEST(LanguageSwitch, TheTableKeepsItsRunsOfSpaces) {
  auto english = [](std::string_view name) {
    for (const Translation& row : TranslationTable()) {
      if (name == row.control)
        return std::string(row.english);
    }
    return std::string();
  };
  EXPECT_EQ(TranslationTable().size(), 139u);
  EXPECT_EQ(english("rbDea"), "From         to");
  EXPECT_EQ(english("rbLance"), "           m from");
  EXPECT_EQ(english("Label71"), "==>   Fill rate (%) :");
}

}  // namespace
}  // namespace kelvra::app
