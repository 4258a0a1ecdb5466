#include "diagnostics/live_modes.h"

#include <cmath>
#include <cstdint>

#include "common/errors.h"
#include "common/number_text.h"
#include "diagnostics/consumption.h"

namespace kelvra::diagnostics {

namespace {

constexpr std::string_view kPowerMode = "powa";
constexpr std::string_view kConsumptionMode = "conso";
constexpr std::string_view kPerformanceMode = "perfs";
constexpr std::string_view kNoMode = "null";

constexpr const char* kBarometerWarning =
    "Attention : pour la détermination automatique de la pression sur moteur essence, mettre le "
    "contact, OBD connecté, moteur arrêté.";

}  // namespace

LiveModes::LiveModes(link::LinkEngine& engine, DiagnosticDisplay& display,
                     PerformanceTiming& timing, const DisplayControls& display_controls,
                     const LiveModeControls& controls, const PerformanceControls& performance,
                     const VehicleRtControls& vehicle, form::Services& services)
    : engine_(engine),
      state_(engine.State()),
      display_(display),
      timing_(timing),
      displayControls_(display_controls),
      controls_(controls),
      performance_(performance),
      vehicle_(vehicle),
      services_(services) {}

void LiveModes::SetLiveModeLock(bool on, form::Button& caller) {
  if (on && state_.diagDisplayOn)
    display_.ToggleVisualisation();
  form::CheckListBox& rows = displayControls_.pidList;
  for (int row = 0; row < rows.Count(); ++row) {
    rows.SetChecked(row, false);
    rows.SetItemEnabled(row, !on);
  }
  // The visualisation button works only online, whatever the modes do.
  displayControls_.visualise.SetEnabled(!on && state_.online);
  for (form::Button* button : {&controls_.power, &controls_.consumption, &performance_.toggle}) {
    if (button != &caller)
      button->SetEnabled(!on);
  }
}

void LiveModes::ToggleMode(std::string_view mode, form::Button& button,
                           std::string_view idleCaption, const std::vector<int>& rows) {
  if (state_.liveMode != mode) {
    SetLiveModeLock(true, button);
    button.SetCaption("Stopper");
    for (int row : rows)
      displayControls_.pidList.SetChecked(row, true);
    state_.liveMode = std::string(mode);
    if (state_.online)
      display_.ToggleVisualisation();
    return;
  }
  // Only a running visualisation is switched off: one already stopped by going offline stays off.
  if (state_.online && state_.diagDisplayOn)
    display_.ToggleVisualisation();
  SetLiveModeLock(false, button);
  button.SetCaption(idleCaption);
  state_.liveMode = std::string(kNoMode);
}

void LiveModes::ToggleLivePower() {
  const int load = vehicle_.loadIsClv.Checked() ? 0 : 13;
  ToggleMode(kPowerMode, controls_.power, "Activer", {8, load});
}

void LiveModes::ToggleConsumption() {
  std::vector<int> rows{9, 2};
  const bool diesel = vehicle_.diesel.Checked();
  if (diesel || vehicle_.airFlow.Checked())
    rows.push_back(12);
  if (diesel)
    rows.push_back(13);
  if (!diesel && !vehicle_.airFlow.Checked())
    rows.insert(rows.end(), {8, 11, 7});
  ToggleMode(kConsumptionMode, controls_.consumption, "Activer", rows);
}

void LiveModes::TogglePerformance() {
  // Stopping during a test abandons it: the next start waits for a fresh start.
  if (state_.liveMode == kPerformanceMode)
    timing_.Abandon();
  ToggleMode(kPerformanceMode, performance_.toggle, "Démarrer", {9});
}

void LiveModes::FollowCurves() {
  if (curves_ != nullptr && curves_->curveAvailable)
    state_.curveAvailable = true;
}

void LiveModes::LivePowerStep() {
  if (curves_ == nullptr)
    return;
  const auto& v = state_.values;
  const double load = vehicle_.loadIsClv.Checked() ? v[0] : v[13];
  const int rpm = static_cast<int>(std::trunc(v[8]));
  const double p = power::EvaluateCurve(*curves_, 0, rpm, power::Quantity::kPower);
  controls_.powerText.SetCaption(FormatGeneral(std::trunc(p * load) * 0.001));
  const double t = power::EvaluateCurve(*curves_, 0, rpm, power::Quantity::kTorque);
  controls_.torqueText.SetCaption(FormatGeneral(std::trunc(t * load) * 0.001));
}

double LiveModes::Real(const form::Edit& edit) const {
  return ParseReal(edit.Text());
}

void LiveModes::ConsumptionStep() {
  ConsumptionParameters p;
  try {
    p.engine = vehicle_.diesel.Checked()    ? EngineKind::Diesel
               : vehicle_.airFlow.Checked() ? EngineKind::PetrolWithAirFlow
                                            : EngineKind::PetrolWithoutAirFlow;
    p.dieselAirFuelRatio = Real(vehicle_.dieselRatio);
    p.dieselDensity = Real(vehicle_.dieselDensity);
    p.dieselMolarMass = Real(vehicle_.dieselMolarMass);
    p.petrolDensity = Real(vehicle_.petrolDensity);
    p.fillingPercent = Real(vehicle_.filling);
    p.petrolMolarMass = Real(vehicle_.petrolMolarMass);
    p.displacementCm3 = Real(vehicle_.displacement);
  } catch (const ConversionError& error) {
    if (onBadInput)
      onBadInput(error.what());
    return;
  }
  const auto& v = state_.values;
  const ConsumptionReadings r{v[2], v[7], v[8], v[11], v[12], v[13]};
  const float c = LitresPerHour(p, r);
  controls_.litresPerHour.SetCaption(FormatGeneral(c));
  controls_.litresPer100.SetCaption(LitresPer100Text(c, v[9]));
}

void LiveModes::BoostAlert() {
  if (!controls_.boostAlert.Checked())
    return;
  std::int32_t threshold = 0;
  std::int32_t atm = 0;
  if (!TryParseInteger(controls_.boostMax.Text(), threshold)) {
    if (onBadInput)
      onBadInput("'" + controls_.boostMax.Text() + "' is not a valid integer value");
    return;
  }
  if (!TryParseInteger(controls_.atmosphere.Text(), atm))
    return;  // the live chart reports it
  // The threshold bounds the boost in mbar, as the live chart draws it.
  const double boost = 10.0 * state_.values[7] - atm;
  if (threshold < boost)
    services_.beeper.Beep();
}

void LiveModes::PerformanceSample(int speedKmh) {
  try {
    timing_.Sample(speedKmh);
  } catch (const ConversionError& error) {
    if (onBadInput)
      onBadInput(error.what());
  }
}

void LiveModes::RequestBarometer() {
  services_.dialogs.ShowMessage(kBarometerWarning);
  state_.auxRequest = 1;
  engine_.SendCommand("010b\r");
}

void LiveModes::ShowLiveChart() {
  displayControls_.pidList.SetChecked(7, true);
  displayControls_.pidList.SetChecked(8, true);
  if (showChartWindow)
    showChartWindow();
  // Offline there is nothing to poll: the chart starts with the visualisation later.
  if (!state_.diagDisplayOn && state_.online)
    display_.ToggleVisualisation();
  state_.auxRequest = 2;
  if (chart_ != nullptr)
    chart_->Restart();
}

void LiveModes::ResetLiveChart() {
  if (chart_ != nullptr)
    chart_->Reset();
}

}  // namespace kelvra::diagnostics
