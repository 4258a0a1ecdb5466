#include "vehicle/gear_speed_dialog.h"

#include "common/errors.h"
#include "common/number_text.h"

namespace kelvra::vehicle {

GearSpeedDialog::GearSpeedDialog(GearSpeedControls controls, link::LinkEngine& engine)
    : controls_(controls), engine_(engine) {}

void GearSpeedDialog::ApplyGearSpeeds() {
  for (std::size_t gear = 0; gear < kGearCount; ++gear) {
    const std::string speed = controls_.speeds[gear]->Text();
    const std::string rpm = controls_.engineSpeeds[gear]->Text();
    if (rpm == "0" || speed == "0")
      continue;
    const double kmh = ParseReal(speed);
    const double engineSpeed = ParseReal(rpm);
    if (engineSpeed == 0)
      throw DivisionByZeroError();
    controls_.mainSpeeds[gear]->SetText(FormatGeneral(kmh * 1000 / engineSpeed));
  }
  controls_.dialog.Hide();
}

void GearSpeedDialog::CancelDialog() {
  controls_.dialog.Hide();
}

void GearSpeedDialog::ToggleCapture() {
  link::SharedState& state = engine_.State();
  state.captureMode = !state.captureMode;
  const bool idle = state.online && !state.initialising && !state.speedViewActive &&
                    !state.diagDisplayOn && !engine_.AnswerPending();
  if (state.captureMode && idle) {
    state.captureAskRpm = false;
    engine_.SendCommand("010d\r");
    engine_.ExpectAnswer();
  }
}

int GearSpeedDialog::ChosenGear() const {
  for (std::size_t gear = 0; gear < kGearCount; ++gear) {
    if (controls_.gears[gear]->Checked())
      return static_cast<int>(gear);
  }
  return -1;
}

void GearSpeedDialog::CapturedSpeed(int kmh) {
  if (const int gear = ChosenGear(); gear >= 0)
    controls_.speeds[gear]->SetText(FormatInteger(kmh));
}

void GearSpeedDialog::CapturedEngineSpeed(int rpm) {
  if (const int gear = ChosenGear(); gear >= 0)
    controls_.engineSpeeds[gear]->SetText(FormatInteger(rpm));
}

}  // namespace kelvra::vehicle
