#pragma once

#include "form/button_controls.h"
#include "form/text_controls.h"
#include "form/window.h"
#include "link/link_engine.h"
#include "vehicle/gear_speed_dialog.h"

namespace kelvra::app {

// TForm2 "Rapports de boite": a road speed and an engine speed per gear, turned into the main
// window's speeds at 1000 tr/mn; its capture fills the chosen gear's pair from the car.
class GearSpeedWindow : public form::Window {
 public:
  static constexpr int kWidth = 606;
  static constexpr int kHeight = 207;

  // mainSpeeds: the main window's edRv1 .. edRv6.
  GearSpeedWindow(form::Services& services, const vehicle::PerGear<form::Edit>& mainSpeeds,
                  link::LinkEngine& engine);

  form::Button& okButton;       // Button1 "Ok"
  form::Button& cancelButton;   // Button2 "Annuler"
  form::Button& captureButton;  // Button3 "Démarrer/Arrêter capture", enabled while online
  vehicle::GearSpeedDialog dialog;

 private:
  vehicle::GearSpeedControls CreateRows(const vehicle::PerGear<form::Edit>& mainSpeeds);
};

}  // namespace kelvra::app
