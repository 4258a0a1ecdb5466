#pragma once

#include <array>

#include "form/button_controls.h"
#include "form/text_controls.h"
#include "form/window.h"
#include "link/answer_sinks.h"
#include "link/link_engine.h"
#include "vehicle/vehicle_keys.h"

namespace kelvra::vehicle {

template <class T>
using PerGear = std::array<T*, kGearCount>;

struct GearSpeedControls {
  form::Window& dialog;              // TForm2
  PerGear<form::Edit> speeds;        // the dialog's edRv1 .. edRv6, km/h
  PerGear<form::Edit> engineSpeeds;  // Edit1 .. Edit6, tr/mn
  PerGear<form::RadioButton> gears;  // RadioButton1 .. RadioButton6
  PerGear<form::Edit> mainSpeeds;    // the main window's edRv1 .. edRv6, km/h per 1000 tr/mn
};

// The gear speed dialog: pairs of road speed and engine speed turned into speeds at 1000 tr/mn,
// and the capture that fills the chosen gear's pair from the car while the user drives steadily.
class GearSpeedDialog : public link::CaptureSink {
 public:
  GearSpeedDialog(GearSpeedControls controls, link::LinkEngine& engine);
  GearSpeedDialog(const GearSpeedDialog&) = delete;
  GearSpeedDialog& operator=(const GearSpeedDialog&) = delete;

  // Button1Click "Ok": every pair with both texts other than "0" writes its speed at 1000 tr/mn;
  // a pair that does not convert stops there, the gears before it written and the dialog open.
  void ApplyGearSpeeds();
  // Button2Click "Annuler": hides the dialog; the typed pairs stay.
  void CancelDialog();
  // Button3Click: capture polling on or off. The polling asks again only after an answer, so when
  // the link is online and idle the first request goes out here.
  void ToggleCapture();

  // The capture polling's readings go to the row of the chosen gear.
  void CapturedSpeed(int kmh) override;
  void CapturedEngineSpeed(int rpm) override;

 private:
  int ChosenGear() const;  // -1 when no gear is chosen

  GearSpeedControls controls_;
  link::LinkEngine& engine_;
};

}  // namespace kelvra::vehicle
