#include "app/gear_speed_window.h"

#include <string>

namespace kelvra::app {

namespace {

constexpr int kRowTop = 24;
constexpr int kRowHeight = 25;

constexpr const char* kGearNames[] = {
    "Première :", "Seconde :", "Troisième :", "Quatrième :", "Cinquième :", "Sixième :"};
constexpr const char* kCalibrate[] = {"Calibrer la première",  "Calibrer la seconde",
                                      "Calibrer la troisième", "Calibrer la quatrième",
                                      "Calibrer la cinquième", "Calibrer la sixième"};

}  // namespace

GearSpeedWindow::GearSpeedWindow(form::Services& services,
                                 const vehicle::PerGear<form::Edit>& mainSpeeds,
                                 link::LinkEngine& engine)
    : form::Window(services, "Form2", "Rapports de boite", kWidth, kHeight),
      okButton(Add<form::Button>("Button1", nullptr, "Ok")),
      cancelButton(Add<form::Button>("Button2", nullptr, "Annuler")),
      captureButton(Add<form::Button>("Button3", nullptr, "Démarrer/Arrêter capture")),
      dialog(CreateRows(mainSpeeds), engine) {
  Add<form::Label>("Label1", nullptr, "Vitesse (km/h)").SetBounds(90, 6, 0, 0);
  Add<form::Label>("Label2", nullptr, "Régime (tr/mn)").SetBounds(174, 6, 0, 0);
  form::Label& heading =
      Add<form::Label>("Label3", nullptr, "Auto calibration (la connexion doit être active) :");
  heading.SetBounds(262, 6, 330, 16);
  heading.SetFont({form::kBlack, 7, false});
  Add<form::Label>("Label4", nullptr,
                   "Ne pas oublier d'enregistrer les changements après calibration")
      .SetBounds(250, 148, 0, 0);
  captureButton.SetBounds(262, 112, 200, 25);
  captureButton.SetEnabled(false);
  okButton.SetBounds(430, 174, 80, 25);
  cancelButton.SetBounds(516, 174, 80, 25);

  okButton.onClick = [this](form::Control&) { dialog.ApplyGearSpeeds(); };
  cancelButton.onClick = [this](form::Control&) { dialog.CancelDialog(); };
  captureButton.onClick = [this](form::Control&) { dialog.ToggleCapture(); };
}

vehicle::GearSpeedControls GearSpeedWindow::CreateRows(
    const vehicle::PerGear<form::Edit>& mainSpeeds) {
  vehicle::GearSpeedControls controls{*this, {}, {}, {}, mainSpeeds};
  for (std::size_t gear = 0; gear < vehicle::kGearCount; ++gear) {
    const std::string n = std::to_string(gear + 1);
    const int top = kRowTop + static_cast<int>(gear) * kRowHeight;
    Add<form::Label>("Label" + std::to_string(14 + gear), nullptr, kGearNames[gear])
        .SetBounds(8, top + 4, 0, 0);
    controls.speeds[gear] = &Add<form::Edit>("edRv" + n, nullptr, "0");
    controls.speeds[gear]->SetBounds(90, top, 70, 21);
    controls.engineSpeeds[gear] = &Add<form::Edit>("Edit" + n, nullptr, "0");
    controls.engineSpeeds[gear]->SetBounds(170, top, 70, 21);
    // Two columns of three under the capture heading.
    const int column = static_cast<int>(gear) / 3;
    const int line = static_cast<int>(gear) % 3;
    controls.gears[gear] =
        &Add<form::RadioButton>("RadioButton" + n, nullptr, kCalibrate[gear], false, "calibration");
    controls.gears[gear]->SetBounds(262 + column * 165, 28 + line * 26, 160, 20);
  }
  return controls;
}

}  // namespace kelvra::app
