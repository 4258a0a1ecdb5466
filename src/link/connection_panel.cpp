#include "link/connection_panel.h"

#include <cmath>
#include <cstdio>

#include "form/window.h"

namespace kelvra::link {

ConnectionPanel::ConnectionPanel(LinkEngine& engine, ConnectionControls controls,
                                 SerialPort& componentPort, SerialPort& alternativePort)
    : engine_(engine),
      controls_(controls),
      componentPort_(componentPort),
      alternativePort_(alternativePort) {
  controls_.connectButton.onClick = [this](form::Control&) { Button1Click(); };
  controls_.disconnectButton.onClick = [this](form::Control&) { Button8Click(); };
  controls_.resetButton.onClick = [this](form::Control&) { btResetClick(); };
  controls_.interfaceList.onChange = [this](form::Control&) { cbIfChange(); };
  controls_.sendManual.onClick = [this](form::Control&) { btCmdClick(); };
  controls_.dryStart.onClick = [this](form::Control&) { Button13Click(); };
  controls_.onlineToggle.onClick = [this](form::Control&) { Button10Click(); };
  controls_.sendToBuffer.onClick = [this](form::Control&) { btDebugSendClick(); };
  controls_.simulatedRun.onClick = [this](form::Control&) { Button14Click(); };
  controls_.simulationTimer.SetInterval(kSimulationStepMs);
  controls_.simulationTimer.onTimer = [this](form::Control&) { Timer1Timer(); };
}

InterfaceKind ConnectionPanel::SelectedKind() const {
  const std::string kind = controls_.interfaceList.Text();
  if (kind == "ELM323")
    return InterfaceKind::Elm323;
  if (kind == "ELM327")
    return InterfaceKind::Elm327;
  return InterfaceKind::Mobydic;
}

void ConnectionPanel::Button1Click() {
  const std::string entry = controls_.portList.Text();
  const std::string device = resolvePort ? resolvePort(entry, SelectedKind()) : entry;
  engine_.Connect(SelectedKind(), controls_.rate38400.Checked(), device,
                  controls_.alternativePort.Checked());
}

void ConnectionPanel::Button8Click() {
  engine_.Disconnect(false);
}

void ConnectionPanel::btResetClick() {
  engine_.StartInitialisation();
}

void ConnectionPanel::cbIfChange() {
  const bool elm = SelectedKind() != InterfaceKind::Mobydic;
  controls_.rateLabel.SetVisible(elm);
  controls_.rate9600.SetVisible(elm);
  controls_.rate38400.SetVisible(elm);
  if (!elm)
    controls_.rate9600.SetChecked(true);
}

void ConnectionPanel::btCmdClick() {
  if (!componentPort_.IsOpen() && !alternativePort_.IsOpen())
    return;
  const std::string text = controls_.manualCommand.Text();
  // The binary interface drops the last character as if it were the CR: the user types one more.
  engine_.SendCommand(engine_.State().elmMode ? text + "\r" : text);
}

void ConnectionPanel::Button13Click() {
  engine_.SetDryRun(true);
  SharedState& state = engine_.State();
  state.initialising = true;
  state.linkState = 1;
  engine_.StatusConnecting();
  controls_.resetButton.SetEnabled(true);
}

void ConnectionPanel::Button10Click() {
  engine_.SetOnline(!engine_.State().online);
}

void ConnectionPanel::btDebugSendClick() {
  engine_.CompleteResponse(controls_.debugText.Text());
}

void ConnectionPanel::Button14Click() {
  form::Services& services = controls_.simulatedRun.Owner().services();
  Button13Click();
  services.PumpEvents();
  Button10Click();
  services.PumpEvents();
  if (launchAcquisition)
    launchAcquisition();
  services.PumpEvents();
  simulationCounter_ = 1000000;
  controls_.simulationTimer.SetEnabled(true);
}

void ConnectionPanel::Timer1Timer() {
  simulationCounter_ += 10000000;
  if (simulationCounter_ > 400000000LL) {
    controls_.simulationTimer.SetEnabled(false);
    if (stopAcquisition)
      stopAcquisition();
    return;
  }
  btDebugSendClick();
  char text[16];
  std::snprintf(
      text, sizeof text, "410C%04X",
      static_cast<unsigned>(std::trunc(std::sqrt(static_cast<double>(simulationCounter_)))));
  controls_.debugText.SetText(text);
}

}  // namespace kelvra::link
